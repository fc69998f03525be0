#include "file_descriptor.h"

int WriteAll(int descriptor, std::span<const unsigned char> bytes, bool (*stopRequested)())
{
    while (!bytes.empty()) {
        const ssize_t written = write(descriptor, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR && (stopRequested == nullptr || !stopRequested())) continue;
            return errno;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return 0;
}
