// Owner of a raylib Image in CPU memory: released with UnloadImage.
#pragma once

#include <raylib.h>

#include <utility>

class ScopedImage {
public:
    explicit ScopedImage(Image loaded) : image(loaded) {}
    ~ScopedImage() { UnloadImage(image); }
    ScopedImage(ScopedImage&& other) noexcept : image(std::exchange(other.image, Image{})) {}
    ScopedImage& operator=(ScopedImage&&) = delete;
    ScopedImage(const ScopedImage&) = delete;
    ScopedImage& operator=(const ScopedImage&) = delete;

    const Image& Get() const { return image; }
    Image* Edit() { return &image; }

private:
    Image image;
};
