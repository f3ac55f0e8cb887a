#include "platform/background_work.h"

#include "platform/dialogs.h"
#include "platform/messages.h"

#include <QEventLoop>
#include <QFutureWatcher>
#include <QProgressDialog>
#include <QtConcurrent/QtConcurrentRun>
#include <exception>

namespace platform {

bool WorkReporter::report(int done, int total)
{
    emit progressed(done, total);
    return !m_stopped;
}

void runInBackground(QWidget* parent, const QString& label,
                     const std::function<void(const WorkProgress&)>& work)
{
    WorkReporter reporter;
    QProgressDialog dialog(label, QStringLiteral("中止"), 0, 0, parent);
    dialog.setWindowTitle(messageBoxTitle());
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(500);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    QObject::connect(&reporter, &WorkReporter::progressed, &dialog, [&dialog](int done, int total) {
        if (dialog.wasCanceled())
            return;
        dialog.setMaximum(qMax(0, total));
        dialog.setValue(total > 0 ? qBound(0, done, total) : 0);
    });
    QObject::connect(&dialog, &QProgressDialog::canceled, &dialog, [&reporter, &dialog] {
        reporter.stop();
        dialog.setLabelText(messages::kStopping);
    });

    std::exception_ptr failure;
    QFutureWatcher<void> watcher;
    QEventLoop loop;
    QObject::connect(&watcher, &QFutureWatcher<void>::finished, &loop, &QEventLoop::quit);
    watcher.setFuture(QtConcurrent::run([&] {
        try {
            work([&reporter](int done, int total) { return reporter.report(done, total); });
        } catch (...) {
            failure = std::current_exception();
        }
    }));
    if (!watcher.isFinished())
        loop.exec();
    watcher.waitForFinished();
    dialog.reset();
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace platform
