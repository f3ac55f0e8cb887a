#include "learn/big_buttons.h"

#include <algorithm>

namespace learn {
namespace {

// Between the photo and the buttons, and under the buttons (in twips: 8 pixels at 96 DPI).
constexpr float kMargin = 120;
// The part of a cell the button takes on each side, leaving room to enlarge the highlighted one.
constexpr float kInset = 0.06f;

} // namespace

float bigButtonBand(float clientHeight)
{
    return std::max(0.f, clientHeight * 0.4f);
}

std::array<QRectF, 4> bigButtonPlaces(float width, float height, float top)
{
    const float bandTop = top + kMargin;
    const float rowHeight = std::max(0.f, (height - kMargin - bandTop) / 3);
    const float columnWidth = width / 3;
    // (column, row) of "↑", "←", "→", "もどる".
    const int cells[4][2] = {{1, 0}, {0, 1}, {2, 1}, {1, 2}};
    std::array<QRectF, 4> places;
    for (int i = 0; i < 4; ++i) {
        const QRectF cell(cells[i][0] * columnWidth, bandTop + cells[i][1] * rowHeight, columnWidth,
                          rowHeight);
        places[i] = cell.adjusted(columnWidth * kInset, rowHeight * kInset, -columnWidth * kInset,
                                  -rowHeight * kInset);
    }
    return places;
}

} // namespace learn
