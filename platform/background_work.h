#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <functional>

class QWidget;

namespace platform {

// Told how far long work has come (`done` of `total`; a total of 0 means "not known"); answers
// false once the user has asked to stop.
using WorkProgress = std::function<bool(int done, int total)>;

// Runs `work` on a worker thread (QtConcurrent) while the window's thread goes on drawing and
// answering: every window stays alive. A progress window for `label`, modal to `parent`, appears
// when the work takes longer than a moment; its "中止" button makes the progress answer false.
// Progress and the stop travel between the threads as signals. Returns when the work has ended
// and rethrows whatever it threw. `work` must not touch widgets.
void runInBackground(QWidget* parent, const QString& label,
                     const std::function<void(const WorkProgress&)>& work);

// The worker's side of the progress: a signal for each report, and the stop asked for.
class WorkReporter : public QObject
{
    Q_OBJECT
public:
    // Called on the worker thread.
    bool report(int done, int total);
    // Called on the window's thread.
    void stop() { m_stopped = true; }
    bool stopped() const { return m_stopped; }

signals:
    void progressed(int done, int total);

private:
    std::atomic<bool> m_stopped{false};
};

} // namespace platform
