// GLFW callbacks that record presses and hand each event on to raylib's.
#include "input_events.h"

#include <GLFW/glfw3.h>

#include <utility>

namespace {

GLFWkeyfun raylibKeyCallback = nullptr;
GLFWmousebuttonfun raylibButtonCallback = nullptr;
std::vector<KeyPress> keyPresses;
std::vector<ButtonPress> buttonPresses;

void OnKey(GLFWwindow* window, int key, int scancode, int action, int mods)
{
    // raylib's key codes are GLFW's.
    if (action != GLFW_RELEASE) {
        keyPresses.push_back({key, {(mods & GLFW_MOD_SHIFT) != 0, (mods & GLFW_MOD_CONTROL) != 0},
                              action == GLFW_REPEAT});
    }
    if (raylibKeyCallback != nullptr) raylibKeyCallback(window, key, scancode, action, mods);
}

void OnButton(GLFWwindow* window, int button, int action, int mods)
{
    if (action == GLFW_PRESS) {
        double x = 0.0;
        double y = 0.0;
        glfwGetCursorPos(window, &x, &y);
        buttonPresses.push_back({button, {static_cast<float>(x), static_cast<float>(y)}});
    }
    if (raylibButtonCallback != nullptr) raylibButtonCallback(window, button, action, mods);
}

}  // namespace

void RecordInputEvents()
{
    // raylib's GetWindowHandle gives the system's window, not GLFW's; the
    // window whose context is current is raylib's one.
    GLFWwindow* window = glfwGetCurrentContext();
    raylibKeyCallback = glfwSetKeyCallback(window, OnKey);
    raylibButtonCallback = glfwSetMouseButtonCallback(window, OnButton);
}

std::vector<KeyPress> TakeKeyPresses()
{
    return std::exchange(keyPresses, {});
}

std::vector<ButtonPress> TakeButtonPresses()
{
    return std::exchange(buttonPresses, {});
}

bool PressesWaiting()
{
    return !keyPresses.empty() || !buttonPresses.empty();
}

bool WaitForWindowEvent(double seconds)
{
    const double start = glfwGetTime();
    glfwWaitEventsTimeout(seconds);
    return glfwGetTime() - start < seconds;
}
