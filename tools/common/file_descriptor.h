// Owner of a POSIX file descriptor: closed when the owner goes, or earlier
// with Close. -1 stands for none. WriteAll writes a whole buffer to one.
#pragma once

#include <unistd.h>

#include <cerrno>
#include <span>
#include <utility>

class FileDescriptor {
public:
    explicit FileDescriptor(int opened = -1) : descriptor(opened) {}
    ~FileDescriptor() { Close(); }
    FileDescriptor(FileDescriptor&& other) noexcept : descriptor(std::exchange(other.descriptor, -1)) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept
    {
        if (this != &other) {
            Close();
            descriptor = std::exchange(other.descriptor, -1);
        }
        return *this;
    }

    int Get() const { return descriptor; }
    // 0, or the error with which the system closed it (its last writes may
    // have failed then); the descriptor is gone either way.
    int Close()
    {
        const int closing = std::exchange(descriptor, -1);
        return closing >= 0 && close(closing) != 0 ? errno : 0;
    }

private:
    int descriptor;
};

// 0 once every byte is out, otherwise the error that stopped it. A signal
// that interrupts the writing ends it with EINTR when `stopRequested` says
// so; otherwise the writing goes on.
int WriteAll(int descriptor, std::span<const unsigned char> bytes, bool (*stopRequested)() = nullptr);
