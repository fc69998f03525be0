// Fitting a picture into an area.
#include "picture_fit.h"

#include <cmath>

PixelRect FitPicture(PixelRect area, PixelSize picture)
{
    // Multiplied before dividing, in doubles: exact for whole pixels, so that
    // a picture of the area's shape is never a pixel short.
    const double pictureWidth = picture.width;
    const double pictureHeight = picture.height;
    double width = area.width;
    double height = std::floor(width * pictureHeight / pictureWidth);
    if (height > area.height) {
        height = area.height;
        width = std::floor(height * pictureWidth / pictureHeight);
    }
    return {area.x + std::floor((area.width - static_cast<float>(width)) / 2.0f),
            area.y + std::floor((area.height - static_cast<float>(height)) / 2.0f), static_cast<float>(width),
            static_cast<float>(height)};
}
