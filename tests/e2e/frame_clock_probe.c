/* Preloaded into a program under test (LD_PRELOAD), it writes a line for
 * every frame the program presents: the wall-clock time of the swap, in
 * seconds since the epoch, and the value that the frame gave the shader's
 * `time` uniform, the demo clock's reading. The file is named by
 * QUORL_FRAME_CLOCK_LOG.
 *
 * GLFW loads OpenGL at run time (dlopen and dlsym), so the probe stands in
 * for dlsym: it hands out its own glXSwapBuffers and glXGetProcAddress, and
 * through the latter its own glGetUniformLocation and glUniform1fv, each of
 * which notes what it sees and calls the driver's. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

typedef void (*Function)(void);
typedef Function (*GetProcAddress)(const unsigned char *name);

static void *(*realDlsym)(void *, const char *);
static GetProcAddress realGetProcAddress;
static void (*realSwapBuffers)(void *display, unsigned long drawable);
static int (*realGetUniformLocation)(unsigned program, const char *name);
static void (*realUniform1fv)(int location, int count, const float *value);

static unsigned timeProgram;
static int timeLocation = -1;
static unsigned currentProgram;
static void (*realUseProgram)(unsigned program);
static float clockReading = -1.0f;
static FILE *out;

static void UseProgram(unsigned program)
{
    currentProgram = program;
    realUseProgram(program);
}

static int GetUniformLocation(unsigned program, const char *name)
{
    const int location = realGetUniformLocation(program, name);
    if (strcmp(name, "time") == 0 && location >= 0) {
        timeProgram = program;
        timeLocation = location;
    }
    return location;
}

static void Uniform1fv(int location, int count, const float *value)
{
    if (location == timeLocation && currentProgram == timeProgram && count > 0) clockReading = value[0];
    realUniform1fv(location, count, value);
}

static void SwapBuffers(void *display, unsigned long drawable)
{
    realSwapBuffers(display, drawable);
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    if (out == NULL) {
        const char *name = getenv("QUORL_FRAME_CLOCK_LOG");
        out = fopen(name != NULL ? name : "/dev/null", "w");
        if (out == NULL) return;
        setvbuf(out, NULL, _IOLBF, 0);
    }
    fprintf(out, "%.6f %.6f\n", (double)now.tv_sec + (double)now.tv_nsec * 1e-9, (double)clockReading);
}

/* The driver's function, or the probe's in its place. */
static Function Wrapped(const char *name, Function real)
{
    if (real == NULL) return NULL;
    if (strcmp(name, "glUseProgram") == 0) {
        realUseProgram = (void (*)(unsigned))real;
        return (Function)UseProgram;
    }
    if (strcmp(name, "glGetUniformLocation") == 0) {
        realGetUniformLocation = (int (*)(unsigned, const char *))real;
        return (Function)GetUniformLocation;
    }
    if (strcmp(name, "glUniform1fv") == 0) {
        realUniform1fv = (void (*)(int, int, const float *))real;
        return (Function)Uniform1fv;
    }
    if (strcmp(name, "glXSwapBuffers") == 0) {
        realSwapBuffers = (void (*)(void *, unsigned long))real;
        return (Function)SwapBuffers;
    }
    return real;
}

static Function ProbeGetProcAddress(const unsigned char *name)
{
    return Wrapped((const char *)name, realGetProcAddress(name));
}

void *dlsym(void *handle, const char *name)
{
    if (realDlsym == NULL) realDlsym = (void *(*)(void *, const char *))dlvsym(RTLD_NEXT, "dlsym", "GLIBC_2.34");
    if (realDlsym == NULL) realDlsym = (void *(*)(void *, const char *))dlvsym(RTLD_NEXT, "dlsym", "GLIBC_2.2.5");
    void *found = realDlsym(handle, name);
    if (found == NULL) return NULL;
    if (strcmp(name, "glXGetProcAddress") == 0 || strcmp(name, "glXGetProcAddressARB") == 0) {
        realGetProcAddress = (GetProcAddress)found;
        return (void *)ProbeGetProcAddress;
    }
    if (strcmp(name, "glXSwapBuffers") == 0) {
        realSwapBuffers = (void (*)(void *, unsigned long))found;
        return (void *)SwapBuffers;
    }
    return found;
}
