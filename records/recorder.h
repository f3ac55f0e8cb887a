#pragma once

#include "store/records_db.h"

#include <QObject>
#include <QPointer>
#include <QThread>
#include <functional>

namespace learn {
class PracticeEvents;
struct Press;
enum class Input;
} // namespace learn

namespace records {

class RecordsWriter;

// Records practice sessions into the records file beside the route. The practice window never
// waits for it: every record is handed to a thread of its own, which commits each one at once,
// so that a crash loses nothing recorded before it. When the file can't be written the session
// goes on unrecorded and the adult is told once, in words; a damaged file is kept aside under a
// dated name and a new one started.
class Recorder : public QObject
{
    Q_OBJECT
public:
    // `tell` shows a message to the adult (never while a practice window is open).
    explicit Recorder(std::function<void(const QString&)> tell, QObject* parent = nullptr);
    // Whatever is queued is written before the thread ends.
    ~Recorder() override;

    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled) { m_enabled = enabled; }

    // Starts a session of the route `routePath` and records what `events` reports until it is
    // destroyed (the practice window closed). Nothing happens while recording is off.
    void attach(learn::PracticeEvents* events, const QString& routePath,
                const QString& child = QString());
    bool recording() const { return m_session; }

    // Returns once everything handed over so far has been written (or has failed).
    void flush();

    // The records file of the session in progress, or of the last one.
    QString recordsPath() const { return m_recordsPath; }

private:
    void begin(const QString& routePath, const QString& child);
    void end();
    void add(store::RecordEvent event);
    void handOver();
    void onPress(const learn::Press& press);
    void failed(const QString& message);

    std::function<void(const QString&)> m_tell;
    bool m_enabled = true;
    bool m_session = false;
    bool m_told = false;
    QString m_pending; // a message waiting for the practice window to close
    QString m_lastKind;
    QList<store::RecordEvent> m_queue; // recorded, not yet handed to the writing thread
    QString m_recordsPath;
    QPointer<learn::PracticeEvents> m_events;
    QThread m_thread;
    RecordsWriter* m_writer = nullptr;
};

} // namespace records
