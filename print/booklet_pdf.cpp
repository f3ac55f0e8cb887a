#include "print/booklet_pdf.h"

#include "platform/write_failure.h"
#include "print/messages.h"

#include <QPdfWriter>
#include <QPrinterInfo>
#include <QSaveFile>

namespace booklet {
namespace {

// Passes every byte on to the file and remembers whether all of them got there. The PDF writer
// takes no notice of a short or failed write (a full disk), so the check is made here.
class CheckedOutput : public QIODevice
{
public:
    explicit CheckedOutput(QIODevice& target) : m_target(target) { open(QIODevice::WriteOnly); }

    bool complete() const { return !m_failed; }
    qint64 bytes() const { return m_bytes; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override
    {
        m_bytes += length;
        if (m_failed)
            return length; // the file is given up already; let the painter run to its end
        if (m_target.write(data, length) != length)
            m_failed = true;
        return length;
    }

private:
    QIODevice& m_target;
    qint64 m_bytes = 0;
    bool m_failed = false;
};

} // namespace

QPageLayout DefaultPageLayout()
{
    QPageSize size(QPageSize::A4);
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (!printer.isNull() && printer.defaultPageSize().isValid())
        size = printer.defaultPageSize();
    return QPageLayout(size, QPageLayout::Portrait, QMarginsF(30, 30, 30, 30), QPageLayout::Point);
}

void WritePdf(const QString& path, const QString& title, const QPageLayout& layout,
              const std::function<bool(QPdfWriter&)>& paint)
{
    // Written beside the target under another name and renamed over it only when every byte
    // reached the disk; a failure or a cancel thrown from `paint` discards the file unrenamed.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw messages::pdfNotWritten(path, platform::writeFailureReason(path, 0));
    CheckedOutput output(file);
    bool painted = false;
    {
        QPdfWriter writer(&output);
        writer.setPageLayout(layout);
        writer.setResolution(300);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("ミチタン"));
        painted = paint(writer);
    }
    const bool whole = painted && output.complete() && file.flush() &&
                       file.error() == QFileDevice::NoError && file.size() == output.bytes();
    if (!whole || !file.commit()) {
        file.cancelWriting();
        throw messages::pdfNotWritten(path, platform::writeFailureReason(path, output.bytes()));
    }
}

void WriteBookletPdf(const QString& path, const QList<Step>& steps, const Options& options,
                     const QPageLayout& layout, const Progress& progress)
{
    WritePdf(path, QStringLiteral("道順"), layout,
             [&](QPdfWriter& writer) { return PaintBooklet(writer, steps, options, progress); });
}

} // namespace booklet
