// Quorl: a real-time demo of an endless city and seagulls, 68.571 seconds long.
// It takes no arguments and ends by itself.
//
// Exit status 0 after its end or an early close, 1 when it cannot start (no
// window with OpenGL 3.3, no sound device, a shader the driver refuses); the
// reason is one line (failure_to_start.h).
#include <exception>

#include "demo.h"
#include "failure_to_start.h"

int main()
{
    try {
        Demo demo;
        demo.Run();
    } catch (const std::exception& failure) {
        SayFailureToStart(failure.what());
        return 1;
    }
    return 0;
}
