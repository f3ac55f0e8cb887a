#include "print/booklet_print.h"

#include "app/m_lane.h"
#include "app/route_outputs.h"
#include "platform/background_work.h"
#include "platform/dialogs.h"
#include "platform/failure.h"
#include "print/booklet_layout.h"
#include "print/booklet_pdf.h"
#include "print/messages.h"
#include "store/route.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QPaintEngine>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QToolBar>

namespace {

namespace messages = booklet::messages;

// Where a parent looks for a file: Documents, else the desktop, else the home folder; never the
// hidden folder the route lives in.
QString visibleFolder()
{
    for (const QStandardPaths::StandardLocation place :
         {QStandardPaths::DocumentsLocation, QStandardPaths::DesktopLocation}) {
        const QString folder = QStandardPaths::writableLocation(place);
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            return folder;
    }
    return QDir::homePath();
}

// Shows how far the booklet is; it appears only for work that takes longer than a second.
class BookletProgress
{
public:
    explicit BookletProgress(QWidget* parent)
        : m_dialog(QStringLiteral("道順の本を作っています…"), QStringLiteral("キャンセル"), 0, 1,
                   parent)
    {
        m_dialog.setWindowTitle(platform::messageBoxTitle());
        m_dialog.setWindowModality(Qt::WindowModal);
        m_dialog.setMinimumDuration(1000);
        m_dialog.setAutoClose(false);
        m_dialog.setAutoReset(false);
        m_dialog.setValue(0);
    }

    booklet::Progress callback()
    {
        return [this](int done, int total) {
            m_dialog.setMaximum(total);
            m_dialog.setValue(done);
            return !m_dialog.wasCanceled();
        };
    }

private:
    QProgressDialog m_dialog;
};

} // namespace

BookletPrinter::BookletPrinter(platform::Dialogs& dialogs, QObject* parent)
    : QObject(parent), m_dialogs(dialogs)
{
}

void BookletPrinter::setPerPage(int perPage)
{
    m_perPage = booklet::ValidPerPage(perPage);
}

bool BookletPrinter::readRoute(QWidget* parent, QList<booklet::Step>& steps)
{
    // Reading must not make an empty route file where there was none.
    if (!QFileInfo::exists(m_lane::DB_PATH)) {
        m_dialogs.MsgBox(parent, messages::kNoRouteFile + QLatin1Char('\n') +
                                     QDir::toNativeSeparators(m_lane::DB_PATH) + QLatin1Char('\n') +
                                     messages::kMakeRouteFirst);
        return false;
    }
    try {
        steps = store::Route(m_lane::DB_PATH).steps();
    } catch (const platform::Failure& e) {
        platform::tell(m_dialogs, parent, e);
        return false;
    }
    if (steps.isEmpty()) {
        m_dialogs.MsgBox(parent, messages::kNoSteps);
        return false;
    }
    return true;
}

bool BookletPrinter::paintWithProgress(QWidget* parent, QPrinter& printer,
                                       const QList<booklet::Step>& steps)
{
    BookletProgress progress(parent);
    booklet::Options options;
    options.perPage = m_perPage;
    try {
        if (booklet::PaintBooklet(printer, steps, options, progress.callback()))
            return true;
    } catch (const platform::Failure&) {
        // Stopped by the adult: nothing more to say.
        printer.abort();
        return true;
    }
    printer.abort();
    return false;
}

void BookletPrinter::Print(QWidget* parent)
{
    QList<booklet::Step> steps;
    if (!readRoute(parent, steps))
        return;
    QPrinter printer(QPrinter::HighResolution);
    if (QPrinterInfo::defaultPrinter().isNull())
        printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(30, 30, 30, 30), QPageLayout::Point);
    printer.setDocName(QStringLiteral("道順"));

    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(QStringLiteral("印刷"));
    // The choice of steps a page sits in the preview's tool bar and redraws the preview.
    if (auto* bar = preview.findChild<QToolBar*>()) {
        auto* choice = new QComboBox(bar);
        choice->setAccessibleName(QStringLiteral("1 ページの枚数"));
        for (int n : {1, 2, 4})
            choice->addItem(QStringLiteral("1 ページに %1 まい").arg(n), n);
        choice->setCurrentIndex(choice->findData(m_perPage));
        bar->addSeparator();
        bar->addWidget(choice);
        connect(choice, &QComboBox::currentIndexChanged, &preview, [this, choice, &preview] {
            setPerPage(choice->currentData().toInt());
            if (auto* widget = preview.findChild<QPrintPreviewWidget*>())
                widget->updatePreview();
        });
    }
    bool failed = false;
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [&](QPrinter* target) {
        // Printing to a PDF file goes through the same path as "PDF に書き出す…", so that the
        // file is written whole or not at all; the preview and real printers are painted on.
        const QPaintEngine* engine = target->paintEngine();
        if (engine && engine->type() == QPaintEngine::Pdf && !target->outputFileName().isEmpty())
            writePdf(parent, target->outputFileName(), steps, target->pageLayout());
        else
            failed = !paintWithProgress(parent, *target, steps) || failed;
    });
    preview.exec();
    if (failed)
        m_dialogs.MsgBox(parent, messages::kNotPrinted);
}

bool BookletPrinter::ExportPdf(QWidget* parent)
{
    QList<booklet::Step> steps;
    if (!readRoute(parent, steps))
        return false;
    platform::SaveRequest request;
    request.Title = QStringLiteral("PDF に書き出す");
    request.DefaultPath = QDir(visibleFolder()).filePath(QStringLiteral("道順.pdf"));
    request.Filter = QStringLiteral("PDF (*.pdf)");
    const QString path = m_dialogs.ShowSave(parent, request);
    if (path.isEmpty())
        return false;
    if (const auto clash = app::routeFileClash(path, m_lane::DB_PATH)) {
        platform::tell(m_dialogs, parent, *clash);
        return false;
    }
    if (!writePdf(parent, path, steps, booklet::DefaultPageLayout()))
        return false;
    tellWhere(parent, path);
    return true;
}

void BookletPrinter::tellWhere(QWidget* parent, const QString& path)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (m_dialogs.MsgBox(parent, messages::pdfWritten(path), platform::MsgButtons::OkCancel) !=
        platform::MsgResult::Ok)
        return;
    if (!m_dialogs.OpenFolder(folder))
        m_dialogs.MsgBox(parent, messages::kFolderNotOpened + QDir::toNativeSeparators(folder));
}

bool BookletPrinter::writePdf(QWidget* parent, const QString& path,
                              const QList<booklet::Step>& steps, const QPageLayout& layout)
{
    booklet::Options options;
    options.perPage = m_perPage;
    // Painting and writing run on a worker thread; the windows stay alive meanwhile.
    try {
        platform::runInBackground(parent, QStringLiteral("道順の本を作っています…"),
                                  [&](const platform::WorkProgress& progress) {
                                      booklet::WriteBookletPdf(path, steps, options, layout,
                                                               progress);
                                  });
        return true;
    } catch (const platform::Failure& e) {
        if (e.kind() == platform::Failure::Kind::Cancelled)
            m_dialogs.MsgBox(parent, messages::pdfCancelled(path));
        else
            platform::tell(m_dialogs, parent, e);
        return false;
    }
}
