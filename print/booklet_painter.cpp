#include "print/booklet_painter.h"

#include "platform/failure.h"
#include "platform/picture.h"
#include "print/booklet_layout.h"
#include "print/messages.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QTextOption>

namespace booklet {

namespace {

const QColor kInk(0x20, 0x20, 0x20);
const QColor kFrame(0x90, 0x90, 0x90);
const QColor kNumber(0x1E, 0x5A, 0xA8);
const QColor kGoal(0xE0, 0x60, 0x10);

// A sans-serif font with Japanese glyphs, `size` points high in the painter's units.
QFont bookletFont(double size, bool bold = false)
{
    QFont font;
    font.setFamilies({QStringLiteral("IPAexGothic"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans CJK JP"),
                      QStringLiteral("Sans Serif")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, static_cast<int>(size)));
    font.setBold(bold);
    return font;
}

// The largest font up to `size` at which `text` fits in `box` on one line.
QFont fittedFont(const QString& text, const QRectF& box, double size, bool bold = false)
{
    QFont font = bookletFont(size, bold);
    const double width = QFontMetricsF(font).horizontalAdvance(text);
    if (width > box.width() && width > 0)
        font = bookletFont(size * box.width() / width * 0.95, bold);
    return font;
}

QColor directionColour(const QString& direction)
{
    if (direction == QStringLiteral("→"))
        return QColor(0xD0, 0x40, 0x30);
    if (direction == QStringLiteral("←"))
        return QColor(0x20, 0x90, 0x40);
    return QColor(0x1E, 0x5A, 0xA8);
}

// An arrow pointing up, filling a unit square centred on the origin.
QPainterPath upArrow()
{
    QPainterPath path;
    path.moveTo(0, -0.5);
    path.lineTo(0.45, -0.02);
    path.lineTo(0.17, -0.02);
    path.lineTo(0.17, 0.5);
    path.lineTo(-0.17, 0.5);
    path.lineTo(-0.17, -0.02);
    path.lineTo(-0.45, -0.02);
    path.closeSubpath();
    return path;
}

void drawArrow(QPainter& painter, const QString& direction, const QRectF& box)
{
    double angle = 0;
    if (direction == QStringLiteral("→"))
        angle = 90;
    else if (direction == QStringLiteral("←"))
        angle = -90;
    else if (direction != QStringLiteral("↑"))
        return;
    const double side = std::min(box.width(), box.height());
    painter.save();
    painter.translate(box.center());
    painter.rotate(angle);
    painter.scale(side, side);
    painter.setPen(Qt::NoPen);
    painter.setBrush(directionColour(direction));
    painter.drawPath(upArrow());
    painter.restore();
}

void drawNumber(QPainter& painter, int number, const QRectF& box)
{
    const double side = std::min(box.width(), box.height()) * 0.92;
    const QRectF circle(box.center().x() - side / 2, box.center().y() - side / 2, side, side);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kNumber);
    painter.drawEllipse(circle);
    const QString text = QString::number(number);
    painter.setPen(Qt::white);
    painter.setFont(
        fittedFont(text, circle.adjusted(side * 0.12, 0, -side * 0.12, 0), side * 0.62, true));
    painter.drawText(circle, Qt::AlignCenter, text);
}

void drawDirection(QPainter& painter, const QString& direction, const QRectF& box)
{
    const QString word = DirectionWord(direction);
    QRectF arrow, text;
    if (box.width() > box.height() * 1.5) {
        // Side by side: the arrow on the left, the word beside it.
        const double side = box.height();
        arrow = QRectF(box.left(), box.top(), side, side);
        text = QRectF(arrow.right() + side * 0.15, box.top(), box.width() - side * 1.15, side);
        const double textWidth =
            QFontMetricsF(fittedFont(word, text, side * 0.6, true)).horizontalAdvance(word);
        // Centre the pair across the band.
        const double shift = (box.width() - (side * 1.15 + textWidth)) / 2;
        if (shift > 0) {
            arrow.translate(shift, 0);
            text = QRectF(arrow.right() + side * 0.15, box.top(), textWidth + 1, side);
        }
    } else {
        arrow = QRectF(box.left(), box.top(), box.width(), box.height() * 0.62);
        text = QRectF(box.left(), arrow.bottom(), box.width(), box.height() - arrow.height());
    }
    drawArrow(painter, direction, arrow.adjusted(2, 2, -2, -2));
    painter.setPen(kInk);
    painter.setFont(fittedFont(word, text, std::min(text.height() * 0.7, 60.0), true));
    painter.drawText(text, Qt::AlignCenter, word);
}

void drawPlaceholder(QPainter& painter, const QString& path, const QRectF& box)
{
    painter.setPen(QPen(kFrame, 2, Qt::DashLine));
    painter.setBrush(QColor(0xF2, 0xF2, 0xF2));
    painter.drawRect(box);
    const QRectF inner = box.adjusted(12, 12, -12, -12);
    const QString title = QFileInfo::exists(path) ? QStringLiteral("写真が読めません")
                                                  : QStringLiteral("写真が見つかりません");
    painter.setPen(kInk);
    painter.setFont(fittedFont(title, inner, std::min(28.0, inner.height() / 4)));
    const QRectF top(inner.left(), inner.top(), inner.width(), inner.height() / 2);
    painter.drawText(top, Qt::AlignHCenter | Qt::AlignBottom, title);
    QTextOption wrap(Qt::AlignHCenter | Qt::AlignTop);
    wrap.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    painter.setFont(bookletFont(std::min(11.0, inner.height() / 8)));
    const QString name = QFileInfo(path).fileName();
    painter.drawText(QRectF(inner.left(), top.bottom() + 6, inner.width(), inner.height() / 2 - 6),
                     QStringLiteral("ファイル: ") + (name.isEmpty() ? path : name) +
                         QStringLiteral("\n") + path,
                     wrap);
}

void drawPhoto(QPainter& painter, const QString& path, const QRectF& box, const Options& options)
{
    const std::optional<QSize> natural = platform::PictureSize(path);
    if (!natural || natural->isEmpty()) {
        drawPlaceholder(painter, path, box);
        return;
    }
    const QRectF target = FitPhoto(QSizeF(*natural), box);
    const QSize decode =
        options.fullSize ? QSize() : DecodeSize(*natural, target.size(), options.dpi);
    // Decoded here and dropped at the end of this step: one photo in memory at a time.
    const std::optional<QImage> picture = platform::LoadPicture(path, decode);
    if (!picture || picture->isNull()) {
        drawPlaceholder(painter, path, box);
        return;
    }
    painter.drawImage(target, *picture);
    painter.setPen(QPen(kFrame, 0.75));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(target);
}

void drawFrame(QPainter& painter, const QRectF& frame)
{
    painter.setPen(QPen(kFrame, 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(frame, 10, 10);
}

void drawStep(QPainter& painter, const Step& step, int number, const Panel& panel,
              const Options& options)
{
    drawFrame(painter, panel.frame);
    drawNumber(painter, number, panel.number);
    drawPhoto(painter, step.photo, panel.photo, options);
    drawDirection(painter, step.direction, panel.direction);
}

void drawGoal(QPainter& painter, const Panel& panel)
{
    drawFrame(painter, panel.frame);
    const QRectF inner = panel.frame.adjusted(20, 20, -20, -20);
    const QString stars = QStringLiteral("☆★☆");
    const QString goal = QStringLiteral("ゴール");
    const QRectF top(inner.left(), inner.top(), inner.width(), inner.height() * 0.4);
    const QRectF middle(inner.left(), top.bottom(), inner.width(), inner.height() * 0.35);
    painter.setPen(kGoal);
    painter.setFont(fittedFont(stars, top, top.height() * 0.5));
    painter.drawText(top, Qt::AlignHCenter | Qt::AlignBottom, stars);
    painter.setFont(fittedFont(goal, middle, middle.height() * 0.7, true));
    painter.drawText(middle, Qt::AlignCenter, goal);
}

} // namespace

QString DirectionWord(const QString& direction)
{
    if (direction == QStringLiteral("↑"))
        return QStringLiteral("まっすぐ");
    if (direction == QStringLiteral("→"))
        return QStringLiteral("みぎ");
    if (direction == QStringLiteral("←"))
        return QStringLiteral("ひだり");
    return direction;
}

bool PaintBooklet(QPagedPaintDevice& device, const QList<Step>& steps, const Options& options,
                  const Progress& progress)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // Everything is laid out in points on the printable area.
    painter.scale(device.logicalDpiX() / 72.0, device.logicalDpiY() / 72.0);
    const QSizeF printable = device.pageLayout().paintRect(QPageLayout::Point).size();
    const PageLayout page = LayoutPage(printable, options.perPage);
    const int total = static_cast<int>(steps.size()) + 1;
    for (int i = 0; i < total; ++i) {
        const int slot = i % page.perPage;
        if (i > 0 && slot == 0 && !device.newPage()) {
            painter.end();
            return false;
        }
        if (i < steps.size())
            drawStep(painter, steps[i], i + 1, page.panels[slot], options);
        else
            drawGoal(painter, page.panels[slot]);
        if (progress && !progress(i + 1, total)) {
            painter.end();
            throw platform::Failure(platform::Failure::Kind::Cancelled, messages::kCancelled);
        }
    }
    return painter.end();
}

} // namespace booklet
