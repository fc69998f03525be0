// Quorl: a real-time demo of an endless city and seagulls, 68.571 seconds long.
// It takes no arguments and ends by itself.
#include "demo.h"

int main()
{
    Demo demo;
    demo.Run();
    return 0;
}
