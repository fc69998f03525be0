/* The release's Linux demo needs glibc 2.35 at most, as the Linux parties'
 * machines and the common LTS desktops have (Ubuntu 22.04, Linux Mint 21).
 * GCC's C++ runtime, linked in, holds std::random_device, which asks for
 * arc4random: new in glibc 2.36. The demo never makes a random_device, but
 * the reference alone would make the loader refuse it on glibc 2.35; this
 * definition answers it inside the program, from getrandom (glibc 2.25). */
#include <stddef.h>
#include <stdint.h>
#include <sys/random.h>

uint32_t arc4random(void)
{
    uint32_t value = 0;
    unsigned char *bytes = (unsigned char *)&value;
    size_t got = 0;
    while (got < sizeof value) {
        const ssize_t count = getrandom(bytes + got, sizeof value - got, 0);
        if (count > 0) got += (size_t)count;
    }
    return value;
}
