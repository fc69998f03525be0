// A stand-in for a sound card in the studio's end-to-end tests: it reads a
// named pipe at a fixed byte rate, so that the player writing into the pipe
// is held to real time as a sound card holds it. ALSA's null device takes
// samples as fast as they come, which would run the music many times too fast.
//
//   paced_audio_sink FIFO BYTES_PER_SECOND
//
// Ends when the writer closes the pipe.
#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 3 || std::atol(argv[2]) <= 0) {
        std::fprintf(stderr, "usage: paced_audio_sink FIFO BYTES_PER_SECOND\n");
        return 2;
    }
    const long rate = std::atol(argv[2]);
    const int pipe = open(argv[1], O_RDONLY);
    if (pipe < 0) {
        std::perror("paced_audio_sink");
        return 1;
    }
    // Read in hundredths of a second, each at the moment it is due.
    std::vector<char> chunk(static_cast<std::size_t>(rate / 100));
    timespec start{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    long long total = 0;
    for (;;) {
        const ssize_t got = read(pipe, chunk.data(), chunk.size());
        if (got <= 0) break;
        total += got;
        const long long due = static_cast<long long>(start.tv_nsec) + total * 1'000'000'000LL / rate;
        timespec until{start.tv_sec + static_cast<time_t>(due / 1'000'000'000LL), static_cast<long>(due % 1'000'000'000LL)};
        clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr);
    }
    close(pipe);
    return 0;
}
