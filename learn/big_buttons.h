#pragma once

#include <QRectF>
#include <array>

namespace learn {

// Big buttons: the three arrows and "もどる" fill the space under the photo, for touch screens
// and for children who need big targets. Sizes are in twips.

// The height kept free under the photo for the buttons on a client area `clientHeight` tall:
// the photo is fitted into what is left, as it is fitted above the small buttons.
float bigButtonBand(float clientHeight);

// Where the buttons go, by target ("↑", "←", "→", "もどる"), when they share the space from `top`
// to the bottom of a client area `width` x `height`: the same cross as the small buttons, in
// three rows and three columns, each button a little inside its cell.
std::array<QRectF, 4> bigButtonPlaces(float width, float height, float top);

} // namespace learn
