#pragma once

#include "print/booklet_painter.h"

#include <QPageLayout>

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
PdfResult WriteBookletPdf(const QString& path, const QList<Step>& steps, const Options& options,
                          const QPageLayout& layout, const Progress& progress = {});

} // namespace booklet
