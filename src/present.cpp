#include "present.h"

#include "picture_fit.h"

void DrawPicture(Texture2D picture, Rectangle area)
{
    // A negative source height turns the picture upright.
    const Rectangle source{0, 0, static_cast<float>(picture.width), -static_cast<float>(picture.height)};
    DrawTexturePro(picture, source, area, {0, 0}, 0, WHITE);
}

void EndFrame(InputPolling polling)
{
    SwapScreenBuffer();
    if (polling == InputPolling::Poll) PollInputEvents();
}

void DrawPictureFitted(Texture2D picture, PixelSize screen)
{
    const PixelRect area = FitPicture({0, 0, static_cast<float>(screen.width), static_cast<float>(screen.height)},
                                      {picture.width, picture.height});
    ClearBackground(BLACK);
    DrawPicture(picture, {area.x, area.y, area.width, area.height});
}

void ShowPicture(Texture2D picture, PixelSize screen, InputPolling polling)
{
    BeginDrawing();
    DrawPictureFitted(picture, screen);
    EndDrawing();
    EndFrame(polling);
}
