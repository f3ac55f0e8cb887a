#include "print/booklet_pdf.h"

#include <QPdfWriter>
#include <QPrinterInfo>
#include <QSaveFile>

namespace booklet {

QPageLayout DefaultPageLayout()
{
    QPageSize size(QPageSize::A4);
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (!printer.isNull() && printer.defaultPageSize().isValid())
        size = printer.defaultPageSize();
    return QPageLayout(size, QPageLayout::Portrait, QMarginsF(30, 30, 30, 30), QPageLayout::Point);
}

PdfResult WritePdf(const QString& path, const QString& title, const QPageLayout& layout,
                   const std::function<Outcome(QPdfWriter&)>& paint)
{
    PdfResult result;
    // Written beside the target under another name and renamed over it only when complete.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        result.error = file.errorString();
        return result;
    }
    {
        QPdfWriter writer(&file);
        writer.setPageLayout(layout);
        writer.setResolution(300);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("ミチタン"));
        result.outcome = paint(writer);
    }
    if (result.outcome != Outcome::Done) {
        file.cancelWriting();
        if (result.outcome == Outcome::Failed)
            result.error = file.errorString();
        return result;
    }
    if (!file.commit()) {
        result.outcome = Outcome::Failed;
        result.error = file.errorString();
    }
    return result;
}

PdfResult WriteBookletPdf(const QString& path, const QList<Step>& steps, const Options& options,
                          const QPageLayout& layout, const Progress& progress)
{
    return WritePdf(path, QStringLiteral("道順"), layout, [&](QPdfWriter& writer) {
        return PaintBooklet(writer, steps, options, progress);
    });
}

} // namespace booklet
