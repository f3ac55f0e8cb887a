#include "records/records_commands.h"

#include "app/m_lane.h"
#include "app/practice_settings.h"
#include "app/route_outputs.h"
#include "platform/dialogs.h"
#include "platform/failure.h"
#include "records/messages.h"
#include "records/recorder.h"
#include "records/records_export.h"
#include "records/records_print.h"
#include "records/records_window.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace records {
namespace {

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QString besideRoute(const QString& name)
{
    return QFileInfo(m_lane::DB_PATH).absoluteDir().filePath(name);
}

} // namespace

RecordsCommands::RecordsCommands(platform::Dialogs& dialogs, QMainWindow* menuWindow,
                                 Recorder* recorder)
    : QObject(menuWindow), m_dialogs(dialogs), m_menuWindow(menuWindow), m_recorder(recorder)
{
    QMenuBar* bar = menuWindow->menuBar();
    m_menu = new QMenu(QStringLiteral("記録"), bar);
    m_menu->setObjectName(QStringLiteral("recordsMenu"));
    // Right after "道順", whatever menus follow it.
    const QList<QAction*> menus = bar->actions();
    QAction* before = menus.size() > 1 ? menus[1] : nullptr;
    bar->insertMenu(before, m_menu);

    m_view = m_menu->addAction(QStringLiteral("練習の記録…"), this, &RecordsCommands::showView);
    m_view->setObjectName(QStringLiteral("recordsViewAction"));
    m_menu->addAction(QStringLiteral("CSV に書き出す…"), this, &RecordsCommands::exportCsv)
        ->setObjectName(QStringLiteral("recordsCsvAction"));
    m_menu->addAction(QStringLiteral("OBL に書き出す…"), this, &RecordsCommands::exportObl)
        ->setObjectName(QStringLiteral("recordsOblAction"));
    m_menu->addAction(QStringLiteral("記録を印刷…"), this, &RecordsCommands::print)
        ->setObjectName(QStringLiteral("recordsPrintAction"));
    m_menu->addSeparator();
    m_recording = m_menu->addAction(QStringLiteral("練習を記録する"));
    m_recording->setObjectName(QStringLiteral("recordingAction"));
    m_recording->setCheckable(true);
    connect(m_recording, &QAction::triggered, this, &RecordsCommands::setRecording);
    m_menu->addAction(QStringLiteral("記録を消す…"), this, &RecordsCommands::erase)
        ->setObjectName(QStringLiteral("recordsEraseAction"));
    // The route or the child may have changed since: the mark follows the one in use.
    connect(m_menu, &QMenu::aboutToShow, this, [this] {
        m_recording->setChecked(app::LoadPracticeSettings(m_lane::DB_PATH, m_lane::CHILD).records);
    });
    m_recording->setChecked(app::LoadPracticeSettings(m_lane::DB_PATH, m_lane::CHILD).records);
}

RecordsWindow* RecordsCommands::window() const
{
    return m_window;
}

QWidget* RecordsCommands::parentWidget() const
{
    return m_window && m_window->isActiveWindow() ? static_cast<QWidget*>(m_window)
                                                  : static_cast<QWidget*>(m_menuWindow);
}

void RecordsCommands::showView()
{
    if (m_window && (QFileInfo(m_window->report().routeFile) != QFileInfo(m_lane::DB_PATH) ||
                     m_window->report().child != m_lane::CHILD))
        m_window->close();
    if (!m_window) {
        m_window = new RecordsWindow(m_dialogs, m_lane::DB_PATH, m_lane::CHILD);
        m_window->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_menuWindow, &QObject::destroyed, m_window, &QObject::deleteLater);
    } else {
        m_window->reload();
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

bool RecordsCommands::readRecords(RecordsReport& report)
{
    m_recorder->flush();
    try {
        report = loadReport(m_lane::DB_PATH, {}, m_lane::CHILD);
    } catch (const platform::Failure& e) {
        platform::tell(m_dialogs, parentWidget(), e);
        return false;
    }
    if (report.sessions.isEmpty()) {
        m_dialogs.MsgBox(parentWidget(), messages::kNoRecordsYet);
        return false;
    }
    return true;
}

bool RecordsCommands::clashes(const QString& path)
{
    const std::optional<platform::Failure> clash = app::routeFileClash(path, m_lane::DB_PATH);
    if (clash)
        platform::tell(m_dialogs, parentWidget(), *clash);
    return clash.has_value();
}

bool RecordsCommands::exportCsv()
{
    RecordsReport report;
    if (!readRecords(report))
        return false;
    const QString path =
        m_dialogs.ShowSave(parentWidget(), {QStringLiteral("CSV に書き出す"),
                                            besideRoute(QStringLiteral("練習の記録.csv")),
                                            QStringLiteral("CSV (*.csv)")});
    if (path.isEmpty() || clashes(path))
        return false;
    try {
        writeCsv(path, report.sessions);
        return true;
    } catch (const platform::Failure& e) {
        platform::tell(m_dialogs, parentWidget(), e);
        return false;
    }
}

bool RecordsCommands::exportObl()
{
    RecordsReport report;
    if (!readRecords(report))
        return false;
    const QString path =
        m_dialogs.ShowSave(parentWidget(), {QStringLiteral("OBL に書き出す"),
                                            besideRoute(QStringLiteral("練習の記録.obl")),
                                            QStringLiteral("Open Board Logging (*.obl)")});
    if (path.isEmpty() || clashes(path))
        return false;
    try {
        writeObl(path, report.sessions, m_lane::DB_PATH);
        return true;
    } catch (const platform::Failure& e) {
        platform::tell(m_dialogs, parentWidget(), e);
        return false;
    }
}

void RecordsCommands::print()
{
    RecordsReport report;
    if (readRecords(report))
        printRecords(parentWidget(), m_dialogs, report);
}

void RecordsCommands::setRecording(bool on)
{
    app::PracticeSettings settings = app::LoadPracticeSettings(m_lane::DB_PATH, m_lane::CHILD);
    settings.records = on;
    std::optional<platform::Failure> failure;
    if (!app::SavePracticeSettings(m_lane::DB_PATH, m_lane::CHILD, settings, &failure)) {
        m_recording->setChecked(!on);
        platform::tell(m_dialogs, parentWidget(), messages::settingNotSaved(*failure));
        return;
    }
    // A practice window open now goes on as it started; the next one follows the setting.
    m_recorder->setEnabled(on);
}

bool RecordsCommands::erase()
{
    if (m_recorder->recording()) {
        m_dialogs.MsgBox(parentWidget(), messages::kClosePracticeFirst);
        return false;
    }
    const QString path = store::recordsPathFor(m_lane::DB_PATH);
    if (m_dialogs.MsgBox(parentWidget(), messages::eraseQuestion(native(path)),
                         platform::MsgButtons::OkCancel) != platform::MsgResult::Ok)
        return false;
    m_recorder->flush();
    try {
        store::RecordsDb db;
        db.open(path, false, 2000);
        db.eraseAll();
    } catch (const platform::Failure& e) {
        platform::tell(m_dialogs, parentWidget(),
                       platform::Failure(e).leaving(messages::kNotErased));
        return false;
    }
    if (m_window)
        m_window->reload();
    m_dialogs.MsgBox(parentWidget(), messages::kErased);
    return true;
}

} // namespace records
