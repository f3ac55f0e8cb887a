#include "edit/step_grid.h"

#include "edit/messages.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QToolTip>
#include <algorithm>
#include <cmath>
#include <utility>

namespace edit {
namespace {

// "ＭＳ Ｐゴシック" 9 pt where Windows fonts are installed, otherwise a Japanese proportional
// Gothic of the same look.
QFont listFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                      QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック"),
                      QStringLiteral("VL PGothic"), QStringLiteral("Noto Sans CJK JP")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(9);
    return font;
}

// Draws a photo path whose file can't be shown in red and explains it in a tooltip.
class PhotoPathDelegate : public QStyledItemDelegate
{
public:
    explicit PhotoPathDelegate(StepGrid& grid) : QStyledItemDelegate(&grid), m_grid(grid) {}

    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const StepGrid::Voice voice = m_grid.voice(index.row());
        if (m_grid.photoProblem(index.row()) != PhotoProblem::None ||
            voice == StepGrid::Voice::Broken)
            option->palette.setColor(QPalette::Text, QColor(0xC0, 0x00, 0x00));
        // A step with a voice shows a loudspeaker before its photo's path.
        if (voice != StepGrid::Voice::None) {
            option->features |= QStyleOptionViewItem::HasDecoration;
            option->icon = m_grid.style()->standardIcon(voice == StepGrid::Voice::Present
                                                            ? QStyle::SP_MediaVolume
                                                            : QStyle::SP_MediaVolumeMuted);
            const int side = option->fontMetrics.height();
            option->decorationSize = QSize(side, side);
        }
    }

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override
    {
        if (event->type() != QEvent::ToolTip)
            return QStyledItemDelegate::helpEvent(event, view, option, index);
        QStringList lines;
        const QString photo = PhotoCheck::explanation(m_grid.photoProblem(index.row()));
        if (!photo.isEmpty())
            lines << photo;
        if (m_grid.voice(index.row()) == StepGrid::Voice::Present)
            lines << messages::kHasVoice;
        else if (m_grid.voice(index.row()) == StepGrid::Voice::Broken)
            lines << messages::kVoiceBroken;
        const QString text = lines.join(QStringLiteral("\n"));
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(event->globalPos(), text, view);
        return true;
    }

private:
    const StepGrid& m_grid;
};

} // namespace

StepGrid::StepGrid(double twipsPerPixel, QWidget* parent)
    : QTableView(parent), m_tpp(twipsPerPixel > 0 ? twipsPerPixel : 15)
{
    setFont(listFont());
    horizontalHeader()->setFont(listFont());
    setSelectionBehavior(SelectRows);
    setSelectionMode(SingleSelection);
    setEditTriggers(NoEditTriggers);
    setVerticalScrollMode(ScrollPerItem);
    // The three columns always fit: their widths are a share of the window's width.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWordWrap(false);
    setTabKeyNavigation(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    QHeaderView* selector = verticalHeader();
    selector->setSectionResizeMode(QHeaderView::Fixed);
    selector->setHighlightSections(true);
    // The record selector carries no text; it gets a width of its own so that it can be seen and
    // clicked.
    selector->setFixedWidth(std::max(12, int(270 / m_tpp)));
    const int height = QFontMetrics(font()).height() + 4;
    selector->setMinimumSectionSize(height);
    selector->setDefaultSectionSize(height);

    // Raised once the button is up: the handler may open a message box, which must not take
    // the release away from the list. The table has selected the row by then.
    connect(selector, &QHeaderView::sectionClicked, this, &StepGrid::SelChange);

    m_photoCheck = new PhotoCheck(this);
    connect(m_photoCheck, &PhotoCheck::changed, viewport(), qOverload<>(&QWidget::update));
    setItemDelegateForColumn(1, new PhotoPathDelegate(*this));
}

PhotoProblem StepGrid::photoProblem(int row) const
{
    if (!model() || row < 0 || row >= model()->rowCount())
        return PhotoProblem::None;
    return m_photoCheck->problem(model()->index(row, 1).data().toString());
}

void StepGrid::showVoices(const QHash<QString, QString>& voices)
{
    m_voices.clear();
    for (auto it = voices.begin(); it != voices.end(); ++it) {
        const QFileInfo file(it.value());
        m_voices.insert(it.key(), file.isFile() && file.isReadable() && file.size() > 0
                                      ? Voice::Present
                                      : Voice::Broken);
    }
    viewport()->update();
}

StepGrid::Voice StepGrid::voice(int row) const
{
    if (!model() || row < 0 || row >= model()->rowCount())
        return Voice::None;
    return m_voices.value(model()->index(row, 1).data().toString(), Voice::None);
}

int StepGrid::fixedRowHeight() const
{
    return verticalHeader()->defaultSectionSize();
}

void StepGrid::syncLayout()
{
    // Sets the viewport's margins, which lays it out for the widget's present size, then the
    // scroll range for it.
    updateGeometries();
}

void StepGrid::ReBind()
{
    QStringList photos;
    const int rows = model() ? model()->rowCount() : 0;
    photos.reserve(rows);
    for (int row = 0; row < rows; ++row)
        photos << model()->index(row, 1).data().toString();
    m_photoCheck->check(photos);
    selectionModel()->clear();
    syncLayout();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
}

int StepGrid::topRow() const
{
    return model() && model()->rowCount() > 0 ? verticalScrollBar()->value() : 0;
}

int StepGrid::currentRecord() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

int StepGrid::VisibleRows()
{
    syncLayout();
    const int rows = model() ? model()->rowCount() : 0;
    const int fit = fixedRowHeight() > 0 ? viewport()->height() / fixedRowHeight() : 0;
    return std::clamp(rows - topRow(), 0, fit);
}

void StepGrid::Scroll(int rows)
{
    syncLayout();
    // The scroll range ends where the last row stands at the bottom, so the bar stops there.
    verticalScrollBar()->setValue(verticalScrollBar()->value() + rows);
}

bool StepGrid::setRow(int row)
{
    if (row < 0 || row >= VisibleRows())
        return false;
    setCurrentIndex(model()->index(topRow() + row, 0));
    return true;
}

void StepGrid::setColumnTwips(int column, float twips)
{
    if (column < 0 || column >= int(m_columnTwips.size()))
        return;
    m_columnTwips[column] = twips;
    setColumnWidth(column, std::max(0, int(std::lround(twips / m_tpp))));
}

float StepGrid::columnTwips(int column) const
{
    return column >= 0 && column < int(m_columnTwips.size()) ? m_columnTwips[column] : 0.0f;
}

void StepGrid::mousePressEvent(QMouseEvent* event)
{
    m_pressedOnRow =
        event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid();
    QTableView::mousePressEvent(event);
}

void StepGrid::mouseReleaseEvent(QMouseEvent* event)
{
    QTableView::mouseReleaseEvent(event);
    // A press on a row, released anywhere: the row the selection followed the mouse to.
    if (event->button() == Qt::LeftButton && std::exchange(m_pressedOnRow, false) &&
        currentRecord() >= 0)
        emit SelChange();
}

void StepGrid::keyPressEvent(QKeyEvent* event)
{
    const int before = currentRecord();
    QTableView::keyPressEvent(event);
    if (currentRecord() >= 0 && currentRecord() != before)
        emit SelChange();
}

} // namespace edit
