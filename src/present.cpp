#include "present.h"

void ShowPicture(Texture2D picture, float screenWidth, float screenHeight)
{
    // The target is stored upside down; a negative source height turns it upright.
    const Rectangle source{0, 0, static_cast<float>(picture.width), -static_cast<float>(picture.height)};
    BeginDrawing();
    DrawTexturePro(picture, source, {0, 0, screenWidth, screenHeight}, {0, 0}, 0, WHITE);
    EndDrawing();
    // raylib is built with custom frame control: EndDrawing neither swaps nor polls.
    SwapScreenBuffer();
}

void Present(Texture2D picture, float screenWidth, float screenHeight)
{
    ShowPicture(picture, screenWidth, screenHeight);
    PollInputEvents();
}
