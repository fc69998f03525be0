#include "demo_clock.h"

#include <GLFW/glfw3.h>

void DemoClock::StartAt(double reading)
{
    paused = false;
    seconds = reading;
    glfwSetTime(reading);
}

void DemoClock::Update()
{
    if (paused) {
        glfwSetTime(seconds);
    } else {
        seconds = glfwGetTime();
    }
}
