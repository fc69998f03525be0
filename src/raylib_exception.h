// The error raised when a media resource cannot be acquired at start-up.
#pragma once

#include <stdexcept>

namespace raylib {

class RaylibException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace raylib
