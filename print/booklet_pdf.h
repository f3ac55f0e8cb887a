#pragma once

#include "print/booklet_painter.h"

#include <QPageLayout>
#include <functional>

class QPdfWriter;

namespace booklet {

// The paper of the system's default printer, or A4 portrait when there is none; with margins.
QPageLayout DefaultPageLayout();

// Writes a PDF file whose pages `paint` paints on the writer (at 300 dots an inch; it answers
// false when it could not paint them): the file appears under its name only when it was written
// whole, so a cancel or a failure leaves any earlier file as it was and no half-written one.
// Throws platform::Failure saying why the file could not be written, or Cancelled when `paint`
// threw that.
void WritePdf(const QString& path, const QString& title, const QPageLayout& layout,
              const std::function<bool(QPdfWriter&)>& paint);

// Writes the booklet to the PDF file `path`, as WritePdf.
void WriteBookletPdf(const QString& path, const QList<Step>& steps, const Options& options,
                     const QPageLayout& layout, const Progress& progress = {});

} // namespace booklet
