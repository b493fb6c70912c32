#include "box_layout.h"

#include <algorithm>

namespace {

int Width(const RECT& rect) { return rect.right - rect.left; }
int Height(const RECT& rect) { return rect.bottom - rect.top; }

}  // namespace

std::vector<RECT> FlowButtonRow(const std::vector<RECT>& buttons, const std::vector<int>& needed, int left, int right,
                                int gap, int* extraHeight) {
    const size_t count = buttons.size();
    std::vector<RECT> placed(count);
    *extraHeight = 0;
    const int room = std::max(1, right - left);
    int whole = 0;
    for (size_t i = 0; i < count; ++i) whole += (i > 0 ? gap : 0) + Width(buttons[i]);
    // The width each button keeps at the least: its caption's, no more than it had and the room.
    std::vector<int> least(count);
    for (size_t i = 0; i < count; ++i) {
        const int caption = i < needed.size() ? needed[i] : Width(buttons[i]);
        least[i] = std::min(room, std::min(Width(buttons[i]), std::max(1, caption)));
    }
    int top = count ? buttons.front().top : 0;
    size_t first = 0;
    while (first < count) {
        // The whole row where it fits; else as many as fit at their captions' widths.
        size_t end = first + 1;
        int captions = least[first], height = 0;
        if (whole <= room) end = count;
        while (end < count && captions + gap + least[end] <= room) captions += gap + least[end++];
        const int part = std::max(0, room - captions) / static_cast<int>(end - first);
        std::vector<int> widths;
        int rowWidth = 0;
        for (size_t i = first; i < end; ++i) {
            const int width = whole <= room ? Width(buttons[i]) : std::min(Width(buttons[i]), least[i] + part);
            widths.push_back(std::min(room, width));
            rowWidth += (i > first ? gap : 0) + widths.back();
            height = std::max(height, Height(buttons[i]));
        }
        int x = right - rowWidth;
        for (size_t i = first; i < end; ++i) {
            placed[i] = RECT{x, top, x + widths[i - first], top + Height(buttons[i])};
            x += widths[i - first] + gap;
        }
        if (first > 0) *extraHeight += gap + height;
        top += height + gap;
        first = end;
    }
    return placed;
}
