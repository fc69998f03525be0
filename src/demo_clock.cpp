#include "demo_clock.h"

#include <GLFW/glfw3.h>

void DemoClock::Reset()
{
    paused = false;
    seconds = 0.0;
    glfwSetTime(0.0);
}

void DemoClock::Update()
{
    if (paused) {
        glfwSetTime(seconds);
    } else {
        seconds = glfwGetTime();
    }
}
