// Owner of a POSIX file descriptor: closed when the owner goes, or earlier
// with Close. -1 stands for none.
#pragma once

#include <unistd.h>

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
    void Close()
    {
        if (descriptor >= 0) close(descriptor);
        descriptor = -1;
    }

private:
    int descriptor;
};
