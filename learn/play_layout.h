#pragma once

#include <QSize>

namespace learn {

// The pixel size at which a photo of `natural` pixels is shown on a window of `windowWidth` x
// `windowHeight` twips. A photo that fits with the three button rows beneath it keeps its own
// size; a larger one is shrunk, keeping its proportions, just enough to fit. The photo stands
// one button height below the top and the rows need three button heights below it plus one as
// a margin at the bottom. A `buttonBand` above zero is the height kept under the photo for big
// buttons instead of those rows.
QSize shownPhotoPixels(QSize natural, double twipsPerPixel, float windowWidth, float windowHeight,
                       float buttonHeight, float buttonBand = 0);

} // namespace learn
