// The overlay and the message band, in raylib's default font.
#include "text_panels.h"

#include <raylib.h>

#include <algorithm>

namespace {

constexpr int kFontSize = 10;
constexpr int kLineHeight = 12;
constexpr float kPadding = 6.0f;
constexpr Color kBackdrop{0, 0, 0, 170};
constexpr Color kMessageBackdrop{40, 0, 0, 215};
constexpr Color kMessageEdge{230, 60, 60, 255};
constexpr Color kMessageText{255, 225, 225, 255};
constexpr Color kHelpBackdrop{10, 10, 14, 235};
constexpr Color kHelpTitle{120, 170, 255, 255};
constexpr Color kHelpKeys{255, 220, 120, 255};
constexpr Color kHelpText{225, 225, 225, 255};

int LineCount(const std::string& text)
{
    return 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

int WidestLine(const std::string& text)
{
    int widest = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        widest = std::max(widest, MeasureText(text.substr(start, end - start).c_str(), kFontSize));
        start = end + 1;
    }
    return widest;
}

}  // namespace

void DrawOverlay(PixelRect frame, const std::string& text)
{
    const float width = static_cast<float>(WidestLine(text)) + 2.0f * kPadding;
    const float height = static_cast<float>(LineCount(text) * kLineHeight) + 2.0f * kPadding;
    const float top = frame.y + frame.height - 8.0f - height;
    DrawRectangleRec({frame.x + 8.0f, top, width, height}, kBackdrop);
    DrawText(text.c_str(), static_cast<int>(frame.x + 8.0f + kPadding), static_cast<int>(top + kPadding), kFontSize,
             RAYWHITE);
}

void DrawMessages(PixelRect frame, const std::vector<std::string>& messages)
{
    if (messages.empty()) return;
    std::string text;
    for (const std::string& message : messages) text += (text.empty() ? "" : "\n\n") + message;
    // At most half the frame; the rest of a long message is on standard error.
    const float height = std::min(static_cast<float>(LineCount(text) * kLineHeight) + 2.0f * kPadding,
                                  std::max(frame.height / 2.0f, 3.0f * kLineHeight));
    const Rectangle band{frame.x, frame.y, frame.width, height};
    DrawRectangleRec(band, kMessageBackdrop);
    DrawRectangleRec({band.x, band.y, 4.0f, band.height}, kMessageEdge);
    BeginScissorMode(static_cast<int>(band.x), static_cast<int>(band.y), static_cast<int>(band.width),
                     static_cast<int>(band.height));
    DrawText(text.c_str(), static_cast<int>(band.x + 4.0f + kPadding), static_cast<int>(band.y + kPadding), kFontSize,
             kMessageText);
    EndScissorMode();
}

void DrawHelp(PixelRect frame, std::span<const KeyHelpGroup> groups)
{
    DrawRectangleRec({frame.x, frame.y, frame.width, frame.height}, kHelpBackdrop);
    int keysWidth = 0;
    int rows = 0;
    for (const KeyHelpGroup& group : groups) {
        rows += static_cast<int>(group.rows.size()) + 2;
        for (const KeyHelpRow& row : group.rows) {
            keysWidth = std::max(keysWidth, MeasureText(std::string(row.keys).c_str(), kFontSize));
        }
    }
    // The groups flow down the first column and on into the second.
    const float columnWidth = (frame.width - 3.0f * kPadding) / 2.0f;
    const float top = frame.y + kPadding + 2.0f * kLineHeight;
    const float bottom = frame.y + frame.height - kPadding;
    DrawText("quorl-studio: every key (F1 or Escape hides this)", static_cast<int>(frame.x + kPadding),
             static_cast<int>(frame.y + kPadding), kFontSize, kHelpTitle);
    float x = frame.x + kPadding;
    float y = top;
    int placed = 0;
    for (const KeyHelpGroup& group : groups) {
        const int lines = static_cast<int>(group.rows.size()) + 2;
        if (placed > 0 && placed + lines > (rows + 1) / 2 && x == frame.x + kPadding) {
            x += columnWidth + kPadding;
            y = top;
        }
        placed += lines;
        if (y + kLineHeight > bottom) continue;
        DrawText(std::string(group.title).c_str(), static_cast<int>(x), static_cast<int>(y), kFontSize, kHelpTitle);
        y += kLineHeight;
        for (const KeyHelpRow& row : group.rows) {
            if (y + kLineHeight > bottom) break;
            DrawText(std::string(row.keys).c_str(), static_cast<int>(x), static_cast<int>(y), kFontSize, kHelpKeys);
            DrawText(std::string(row.does).c_str(), static_cast<int>(x + static_cast<float>(keysWidth) + 12.0f),
                     static_cast<int>(y), kFontSize, kHelpText);
            y += kLineHeight;
        }
        y += kLineHeight;
    }
}
