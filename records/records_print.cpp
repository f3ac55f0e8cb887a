#include "records/records_print.h"

#include "platform/dialogs.h"
#include "platform/failure.h"
#include "print/booklet_pdf.h"
#include "print/messages.h"
#include "records/messages.h"
#include "records/records_chart.h"
#include "records/records_models.h"

#include <QChart>
#include <QFileInfo>
#include <QGraphicsScene>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <optional>

namespace records {
namespace {

// Lays text and boxes down a page in device pixels, starting new pages as needed.
class Pages
{
public:
    Pages(QPagedPaintDevice& device, QPainter& painter)
        : m_device(device), m_painter(painter),
          m_page(QRectF(QPointF(0, 0), QSizeF(painter.viewport().size()))), m_y(0)
    {
    }

    const QRectF& page() const { return m_page; }
    qreal y() const { return m_y; }
    qreal remaining() const { return m_page.bottom() - m_y; }
    void advance(qreal height) { m_y += height; }
    qreal points(qreal pt) const { return pt * m_device.logicalDpiY() / 72.0; }

    bool newPage()
    {
        if (!m_device.newPage())
            return false;
        m_y = 0;
        return true;
    }
    bool need(qreal height) { return remaining() >= height || newPage(); }

    void text(const QString& s, qreal pt, bool bold = false)
    {
        QFont font = m_painter.font();
        font.setPointSizeF(pt);
        font.setBold(bold);
        m_painter.setFont(font);
        const QRectF box(0, m_y, m_page.width(), m_page.height());
        const QRectF used = m_painter.boundingRect(box, Qt::TextWordWrap, s);
        m_painter.drawText(box, Qt::TextWordWrap, s);
        m_y += used.height() + points(4);
    }

private:
    QPagedPaintDevice& m_device;
    QPainter& m_painter;
    QRectF m_page;
    qreal m_y;
};

void paintChart(QPainter& painter, const QRectF& target, const RecordsReport& report)
{
    QGraphicsScene scene;
    QChart* chart = makeChart(report);
    scene.addItem(chart);
    // Laid out at a screen-like size, then scaled onto the page, so that the text keeps its
    // proportions.
    const QSizeF size(1000, 1000 * target.height() / target.width());
    chart->resize(size);
    scene.setSceneRect(QRectF(QPointF(0, 0), size));
    scene.render(&painter, target, scene.sceneRect());
}

bool paintGrid(Pages& pages, QPainter& painter, const RecordsReport& report)
{
    const StepGrid& grid = report.grid;
    const int first = std::max(0, grid.columns - kPrintedGridSessions);
    const int columns = grid.columns - first;
    if (grid.rows.isEmpty() || columns == 0)
        return true;
    pages.text(messages::printedGridHeading(columns), 11, true);
    QFont font = painter.font();
    font.setPointSizeF(7.5);
    font.setBold(false);
    painter.setFont(font);
    const qreal labelWidth = pages.page().width() * 0.32;
    const qreal cell = (pages.page().width() - labelWidth) / std::max(columns, 10);
    const qreal rowHeight = pages.points(13);
    const auto header = [&] {
        for (int c = 0; c < columns; ++c)
            painter.drawText(QRectF(labelWidth + c * cell, pages.y(), cell, rowHeight * 2),
                             Qt::AlignCenter, sessionLabel(report.summaries[first + c], first + c));
        pages.advance(rowHeight * 2);
    };
    if (!pages.need(rowHeight * 4))
        return false;
    header();
    painter.setPen(QColor(0x80, 0x80, 0x80));
    for (int r = 0; r < grid.rows.size(); ++r) {
        if (pages.remaining() < rowHeight) {
            if (!pages.newPage())
                return false;
            header();
        }
        painter.setPen(Qt::black);
        painter.drawText(QRectF(0, pages.y(), labelWidth - pages.points(3), rowHeight),
                         Qt::AlignVCenter | Qt::AlignLeft,
                         painter.fontMetrics().elidedText(grid.rows[r].label, Qt::ElideMiddle,
                                                          int(labelWidth - pages.points(3))));
        for (int c = 0; c < columns; ++c) {
            const StepResult& result = grid.cells[r][first + c];
            const bool walk = report.summaries[first + c].walk;
            const QRectF box(labelWidth + c * cell, pages.y(), cell, rowHeight);
            const QColor colour = cellColour(result, walk);
            painter.fillRect(box, colour.isValid() ? colour : QColor(Qt::white));
            painter.setPen(QColor(0xA0, 0xA0, 0xA0));
            painter.drawRect(box);
            painter.setPen(Qt::black);
            painter.drawText(box, Qt::AlignCenter, cellText(result, walk));
        }
        pages.advance(rowHeight);
    }
    pages.advance(rowHeight);
    return true;
}

bool paintTable(Pages& pages, QPainter& painter, const RecordsReport& report)
{
    if (!pages.need(pages.points(60)))
        return false;
    pages.text(QStringLiteral("練習と実際の道の一覧"), 11, true);
    QFont font = painter.font();
    font.setPointSizeF(8);
    font.setBold(false);
    painter.setFont(font);
    const qreal widths[SessionTableModel::Columns] = {0.05, 0.09, 0.17, 0.12, 0.16,
                                                      0.08, 0.07, 0.09, 0.17};
    const qreal rowHeight = pages.points(13);
    const qreal w = pages.page().width();
    const auto row = [&](const std::function<QString(int)>& text, bool bold) {
        QFont f = painter.font();
        f.setBold(bold);
        painter.setFont(f);
        qreal x = 0;
        for (int c = 0; c < SessionTableModel::Columns; ++c) {
            const QRectF box(x, pages.y(), widths[c] * w, rowHeight);
            painter.drawText(
                box.adjusted(2, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft,
                painter.fontMetrics().elidedText(text(c), Qt::ElideRight, int(box.width() - 4)));
            x += widths[c] * w;
        }
        painter.drawLine(QPointF(0, pages.y() + rowHeight), QPointF(w, pages.y() + rowHeight));
        pages.advance(rowHeight);
    };
    row(SessionTableModel::title, true);
    for (int r = 0; r < report.summaries.size(); ++r) {
        if (pages.remaining() < rowHeight) {
            if (!pages.newPage())
                return false;
            row(SessionTableModel::title, true);
        }
        row([&](int c) { return SessionTableModel::text(report, r, c); }, false);
    }
    return true;
}

} // namespace

bool paintRecords(QPagedPaintDevice& device, const RecordsReport& report)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    Pages pages(device, painter);
    pages.text(QStringLiteral("練習の記録　%1").arg(QFileInfo(report.routeFile).fileName()), 16,
               true);
    pages.text(report.headline(), 10);
    const qreal chartHeight = pages.page().width() * 0.5;
    paintChart(painter, QRectF(0, pages.y(), pages.page().width(), chartHeight), report);
    pages.advance(chartHeight + pages.points(8));
    const bool done = paintGrid(pages, painter, report) && paintTable(pages, painter, report);
    painter.end();
    return done;
}

void writeRecordsPdf(const QString& path, const RecordsReport& report)
{
    booklet::WritePdf(path, QStringLiteral("練習の記録"), booklet::DefaultPageLayout(),
                      [&](QPdfWriter& writer) { return paintRecords(writer, report); });
}

void printRecords(QWidget* parent, platform::Dialogs& dialogs, const RecordsReport& report)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(booklet::DefaultPageLayout());
    printer.setDocName(QStringLiteral("練習の記録"));
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(QStringLiteral("練習の記録の印刷"));
    bool failed = false;
    std::optional<platform::Failure> notWritten;
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&](QPrinter* target) {
                         // A PDF chosen in the dialog is written whole or not at all.
                         if (target->outputFormat() != QPrinter::PdfFormat ||
                             target->outputFileName().isEmpty()) {
                             failed = !paintRecords(*target, report) || failed;
                             return;
                         }
                         try {
                             writeRecordsPdf(target->outputFileName(), report);
                         } catch (const platform::Failure& e) {
                             notWritten = e;
                         }
                     });
    preview.exec();
    if (notWritten)
        platform::tell(dialogs, parent, *notWritten);
    else if (failed)
        dialogs.MsgBox(parent, booklet::messages::kNotPrinted);
}

} // namespace records
