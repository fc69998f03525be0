// The demo's failure to start, on standard error.
#include "failure_to_start.h"

#include <cstdio>

void SayFailureToStart(const char* line)
{
    std::fprintf(stderr, "quorl: %s\n", line);
}
