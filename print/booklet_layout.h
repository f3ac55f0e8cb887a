#pragma once

#include <QList>
#include <QRectF>
#include <QSize>
#include <QSizeF>

// Where everything of the printed booklet goes, in points (1/72 inch) on the page's printable
// area. No widget or paint device is involved, so the layout is tested on its own.
namespace booklet {

// One panel: a step (or the goal) with its number, photo box and direction band.
struct Panel
{
    QRectF frame;     // the panel's outline
    QRectF number;    // the step number in large type
    QRectF photo;     // the box the photo is fitted into, whole and upright
    QRectF direction; // the arrow and the word
};

struct PageLayout
{
    int perPage = 2;
    QList<Panel> panels; // the slots of one page, in reading order
};

// The slots of a page of `printable` points (its printable area) holding `perPage` panels
// (1, 2 or 4; anything else counts as 2). Two panels split the page across its longer side,
// four make a 2 x 2 grid. A panel wider than tall puts its number and direction beside the
// photo, a taller one above and below it.
PageLayout LayoutPage(const QSizeF& printable, int perPage);

// The part of `box` a picture of `picture` pixels fills when fitted whole, centred, keeping
// its proportions. An empty picture gives an empty rectangle.
QRectF FitPhoto(const QSizeF& picture, const QRectF& box);

// The pixel size to decode a picture of `natural` pixels at so that it prints `printed`
// points large at `dpi` dots per inch: never larger than the picture itself.
QSize DecodeSize(const QSize& natural, const QSizeF& printed, int dpi = 200);

// 1, 2 or 4; anything else becomes 2, the default.
int ValidPerPage(int perPage);

} // namespace booklet
