#pragma once

#include "print/booklet_painter.h"

#include <QObject>
#include <QPageLayout>

class QPrinter;
class QWidget;

namespace platform {
class Dialogs;
}

// The two commands of the menu window: "印刷…" (the print dialog with a preview) and
// "PDF に書き出す…". Both print the current route; every message goes through `dialogs`.
class BookletPrinter : public QObject
{
    Q_OBJECT
public:
    explicit BookletPrinter(platform::Dialogs& dialogs, QObject* parent = nullptr);

    // Steps a page: 1, 2 (the default) or 4. Chosen in the preview, used by both commands.
    int perPage() const { return m_perPage; }
    void setPerPage(int perPage);

    void Print(QWidget* parent);
    // Asks for a file name ("道順.pdf" in Documents, else on the desktop) and writes the booklet
    // there; then says where it is and offers to open its folder. True when it was written.
    bool ExportPdf(QWidget* parent);

private:
    // The route's steps; false (after saying why) when there is nothing to print.
    bool readRoute(QWidget* parent, QList<booklet::Step>& steps);
    // Paints on a printer; false when the printer could not be painted on.
    bool paintWithProgress(QWidget* parent, QPrinter& printer, const QList<booklet::Step>& steps);
    // Writes the PDF file `path` whole or not at all, and says why when it did not.
    bool writePdf(QWidget* parent, const QString& path, const QList<booklet::Step>& steps,
                  const QPageLayout& layout);

    void tellWhere(QWidget* parent, const QString& path);

    platform::Dialogs& m_dialogs;
    int m_perPage = 2;
};
