// GLFW callbacks that record presses and hand each event on to raylib's.
#include "input_events.h"

#include <GLFW/glfw3.h>

#include <utility>

namespace {

GLFWkeyfun raylibKeyCallback = nullptr;
GLFWmousebuttonfun raylibButtonCallback = nullptr;
GLFWcursorposfun raylibCursorCallback = nullptr;
GLFWcharfun raylibCharCallback = nullptr;
// Where the pointer was as of the last event taken in: a button event takes
// its place from here, not from the pointer now, which a slow frame may find
// far along a drag.
Vector2 pointer{0.0f, 0.0f};
std::vector<InputEvent> inputEvents;

KeyModifiers Modifiers(int mods)
{
    return {(mods & GLFW_MOD_SHIFT) != 0, (mods & GLFW_MOD_CONTROL) != 0};
}

void OnKey(GLFWwindow* window, int key, int scancode, int action, int mods)
{
    // raylib's key codes are GLFW's.
    if (action != GLFW_RELEASE) {
        inputEvents.emplace_back(KeyPress{key, Modifiers(mods), action == GLFW_REPEAT, glfwGetTime()});
    }
    if (raylibKeyCallback != nullptr) raylibKeyCallback(window, key, scancode, action, mods);
}

void OnButton(GLFWwindow* window, int button, int action, int mods)
{
    inputEvents.emplace_back(ButtonEvent{button, action == GLFW_PRESS, pointer, Modifiers(mods), glfwGetTime()});
    if (raylibButtonCallback != nullptr) raylibButtonCallback(window, button, action, mods);
}

void OnCursor(GLFWwindow* window, double x, double y)
{
    pointer = {static_cast<float>(x), static_cast<float>(y)};
    if (raylibCursorCallback != nullptr) raylibCursorCallback(window, x, y);
}

void OnCharacter(GLFWwindow* window, unsigned int character)
{
    inputEvents.emplace_back(KeyPress{KEY_NULL, {}, false, glfwGetTime(), static_cast<char32_t>(character)});
    if (raylibCharCallback != nullptr) raylibCharCallback(window, character);
}

}  // namespace

void RecordInputEvents()
{
    // raylib's GetWindowHandle gives the system's window, not GLFW's; the
    // window whose context is current is raylib's one.
    GLFWwindow* window = glfwGetCurrentContext();
    raylibKeyCallback = glfwSetKeyCallback(window, OnKey);
    raylibButtonCallback = glfwSetMouseButtonCallback(window, OnButton);
    raylibCursorCallback = glfwSetCursorPosCallback(window, OnCursor);
    raylibCharCallback = glfwSetCharCallback(window, OnCharacter);
    double x = 0.0;
    double y = 0.0;
    glfwGetCursorPos(window, &x, &y);
    pointer = {static_cast<float>(x), static_cast<float>(y)};
}

std::vector<InputEvent> TakeInputEvents()
{
    return std::exchange(inputEvents, {});
}

bool InputEventsWaiting()
{
    return !inputEvents.empty();
}

bool WaitForWindowEvent(double seconds)
{
    const double start = glfwGetTime();
    glfwWaitEventsTimeout(seconds);
    return glfwGetTime() - start < seconds;
}
