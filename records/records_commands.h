#pragma once

#include <QObject>
#include <QPointer>

class QAction;
class QMainWindow;
class QMenu;

namespace platform {
class Dialogs;
}

namespace records {

class Recorder;
struct RecordsReport;
class RecordsWindow;

// The menu "記録" of the menu window, beside "道順": the teacher's view, export as CSV and Open
// Board Logging, printing, recording on or off (remembered for the route and child), and
// erasing the records. Every command acts on the route in use (m_lane::DB_PATH).
class RecordsCommands : public QObject
{
    Q_OBJECT
public:
    RecordsCommands(platform::Dialogs& dialogs, QMainWindow* menuWindow, Recorder* recorder);

    QMenu* menu() const { return m_menu; }
    QAction* viewAction() const { return m_view; }
    QAction* recordingAction() const { return m_recording; }
    RecordsWindow* window() const;

    void showView();
    bool exportCsv();
    bool exportObl();
    void print();
    void setRecording(bool on);
    bool erase();

private:
    QWidget* parentWidget() const;
    // Says why `path` must not be written over, if it must not.
    bool clashes(const QString& path);
    // Reads what the export and print commands work on; false after saying why.
    bool readRecords(RecordsReport& report);

    platform::Dialogs& m_dialogs;
    QMainWindow* m_menuWindow;
    Recorder* m_recorder;
    QMenu* m_menu = nullptr;
    QAction* m_view = nullptr;
    QAction* m_recording = nullptr;
    QPointer<RecordsWindow> m_window;
};

} // namespace records
