#pragma once

#include "print/booklet_painter.h"

#include <QPageLayout>
#include <functional>

class QPdfWriter;

namespace booklet {

struct PdfResult
{
    Outcome outcome = Outcome::Failed;
    QString error; // why it failed, for the message
};

// The paper of the system's default printer, or A4 portrait when there is none; with margins.
QPageLayout DefaultPageLayout();

// Writes the booklet to the PDF file `path`. The file appears under its name only when the
// whole booklet was written: a cancel or a failure leaves any earlier file as it was and no
// half-written one.
// Writes a PDF file whose pages `paint` paints on the writer (at 300 dots an inch), through the
// same path as the booklet: the file appears under its name only when it was written whole.
PdfResult WritePdf(const QString& path, const QString& title, const QPageLayout& layout,
                   const std::function<Outcome(QPdfWriter&)>& paint);

PdfResult WriteBookletPdf(const QString& path, const QList<Step>& steps, const Options& options,
                          const QPageLayout& layout, const Progress& progress = {});

} // namespace booklet
