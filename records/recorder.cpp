#include "records/recorder.h"

#include "learn/practice_events.h"
#include "platform/failure.h"
#include "records/messages.h"
#include "records/route_snapshot.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>

#ifdef Q_OS_LINUX
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace records {

// Lives on the recorder's thread and owns the records file's connection there.
class RecordsWriter : public QObject
{
public:
    // Reports a failure, once per session, on the recorder's thread.
    std::function<void(const QString&)> report;

    void begin(const QString& recordsPath, const QString& routePath, const QString& child,
               qint64 started)
    {
        m_path = recordsPath;
        m_session = 0;
        m_broken = false;
        QList<store::Step> steps;
        try {
            steps = readRouteSteps(routePath, 2);
        } catch (const platform::Failure&) {
            // The route can't be read now; the window says so itself. The steps shown are
            // still recorded with their photos.
        }
        try {
            try {
                m_db.open(recordsPath, true, kBusyMs);
            } catch (const platform::Failure& e) {
                if (e.kind() != platform::Failure::Kind::Damaged)
                    throw;
                const QString aside = store::keepDamagedRecords(recordsPath);
                if (aside.isEmpty())
                    throw;
                m_db.open(recordsPath, true, kBusyMs);
                report(messages::damagedKeptAside(QDir::toNativeSeparators(aside)));
            }
            m_session =
                m_db.beginSession(QString::fromLatin1(store::kPractice), started, child, steps);
        } catch (const platform::Failure& e) {
            fail(e);
        }
    }

    void add(const store::RecordEvent& event)
    {
        if (!m_session || m_broken)
            return;
        try {
            m_db.addEvent(m_session, event);
        } catch (const platform::Failure& e) {
            fail(e);
        }
    }

    void end(qint64 at)
    {
        if (m_session && !m_broken) {
            try {
                m_db.endSession(m_session, at);
            } catch (const platform::Failure& e) {
                fail(e);
            }
        }
        m_session = 0;
        m_db.close();
    }

private:
    static constexpr int kBusyMs = 500;

    void fail(const platform::Failure& e)
    {
        m_broken = true;
        m_db.close();
        report(platform::Failure(e).leaving(messages::kPracticeNotRecorded).text());
    }

    QString m_path;
    store::RecordsDb m_db;
    qint64 m_session = 0;
    bool m_broken = false;
};

Recorder::Recorder(std::function<void(const QString&)> tell, QObject* parent)
    : QObject(parent), m_tell(std::move(tell)), m_writer(new RecordsWriter)
{
    m_writer->report = [this](const QString& message) {
        QMetaObject::invokeMethod(
            this, [this, message] { failed(message); }, Qt::QueuedConnection);
    };
    m_writer->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_writer, &QObject::deleteLater);
    m_thread.setObjectName(QStringLiteral("records"));
    m_thread.start(QThread::LowPriority);
#ifdef Q_OS_LINUX
    // Linux gives ordinary threads no priorities; a higher nice value lets the window's own
    // thread go first whenever both want the processor.
    QMetaObject::invokeMethod(
        m_writer, [] { setpriority(PRIO_PROCESS, pid_t(syscall(SYS_gettid)), 10); },
        Qt::QueuedConnection);
#endif
}

Recorder::~Recorder()
{
    end();
    m_thread.quit();
    m_thread.wait();
}

void Recorder::attach(learn::PracticeEvents* events, const QString& routePath, const QString& child)
{
    if (!m_enabled || !events)
        return;
    end();
    m_events = events;
    begin(routePath, child);
    using learn::PracticeEvents;
    connect(events, &PracticeEvents::started, this, [this, routePath, child] {
        end();
        begin(routePath, child);
    });
    connect(events, &PracticeEvents::stepShown, this, [this](int step, const QString& photo) {
        store::RecordEvent e;
        e.kind = QString::fromLatin1(store::event::kShow);
        e.step = step;
        e.photo = photo;
        add(std::move(e));
    });
    connect(events, &PracticeEvents::photoMissing, this, [this](int step, const QString& photo) {
        store::RecordEvent e;
        e.kind = QString::fromLatin1(store::event::kMissing);
        e.step = step;
        e.photo = photo;
        add(std::move(e));
    });
    connect(events, &PracticeEvents::answered, this, &Recorder::onPress);
    connect(events, &PracticeEvents::back, this, [this](int step, learn::Input input) {
        store::RecordEvent e;
        e.kind = QString::fromLatin1(store::event::kBack);
        e.step = step;
        e.input = learn::inputName(input);
        add(std::move(e));
    });
    connect(events, &PracticeEvents::goal, this, [this](int step) {
        store::RecordEvent e;
        e.kind = QString::fromLatin1(store::event::kGoal);
        e.step = step;
        add(std::move(e));
    });
    connect(events, &PracticeEvents::routeOutage, this, [this](const QString& reason) {
        // Recorded once for each time the route becomes unreadable, not at every retry.
        if (m_lastKind == QLatin1String(store::event::kOutage))
            return;
        store::RecordEvent e;
        e.kind = QString::fromLatin1(store::event::kOutage);
        e.detail = reason;
        add(std::move(e));
    });
    connect(events, &QObject::destroyed, this, [this] { end(); });
}

void Recorder::onPress(const learn::Press& press)
{
    store::RecordEvent e;
    e.kind = QString::fromLatin1(store::event::kPress);
    e.step = press.step;
    e.expected = press.expected;
    e.pressed = press.pressed;
    e.right = press.right;
    e.attempt = press.attempt;
    e.msSincePhoto = press.msSincePhoto;
    e.input = learn::inputName(press.input);
    e.waiting = press.waiting;
    add(std::move(e));
}

void Recorder::begin(const QString& routePath, const QString& child)
{
    m_recordsPath = store::recordsPathFor(routePath);
    m_session = true;
    m_lastKind.clear();
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    QMetaObject::invokeMethod(
        m_writer,
        [writer = m_writer, path = m_recordsPath, routePath, child, now] {
            writer->begin(path, routePath, child, now);
        },
        Qt::QueuedConnection);
}

void Recorder::add(store::RecordEvent event)
{
    if (!m_session)
        return;
    event.at = QDateTime::currentMSecsSinceEpoch();
    m_lastKind = event.kind;
    // Handed over once the window's handler has returned, so that not even waking the writing
    // thread falls between a press and what the child sees.
    if (m_queue.isEmpty())
        QMetaObject::invokeMethod(this, &Recorder::handOver, Qt::QueuedConnection);
    m_queue.append(std::move(event));
}

void Recorder::handOver()
{
    if (m_queue.isEmpty())
        return;
    QMetaObject::invokeMethod(
        m_writer,
        [writer = m_writer, events = std::exchange(m_queue, {})] {
            for (const store::RecordEvent& event : events)
                writer->add(event);
        },
        Qt::QueuedConnection);
}

void Recorder::end()
{
    if (m_events)
        disconnect(m_events, nullptr, this, nullptr);
    m_events = nullptr;
    if (!m_session)
        return;
    m_session = false;
    handOver();
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    QMetaObject::invokeMethod(
        m_writer, [writer = m_writer, now] { writer->end(now); }, Qt::QueuedConnection);
    // A problem met during the session is told now that the child has finished.
    if (!m_pending.isEmpty()) {
        const QString message = std::exchange(m_pending, QString());
        m_tell(message);
    }
}

void Recorder::flush()
{
    handOver();
    QMetaObject::invokeMethod(
        m_writer, [] {}, Qt::BlockingQueuedConnection);
    // The writer's reports arrive as queued calls on this thread.
    QCoreApplication::sendPostedEvents(this);
}

void Recorder::failed(const QString& message)
{
    if (m_told)
        return;
    m_told = true;
    if (m_session)
        m_pending = message;
    else
        m_tell(message);
}

} // namespace records
