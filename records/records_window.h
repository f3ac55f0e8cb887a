#pragma once

#include "records/records_models.h"
#include "records/records_report.h"

#include <QWidget>
#include <functional>

class QChartView;
class QLabel;
class QSpinBox;
class QTableView;

namespace platform {
class Dialogs;
}

namespace records {

class WalkForm;

// "練習の記録": for the route in use, the chart of first tries session by session with the
// mastery line, the grid of steps by sessions coloured by wrong presses, and the table of
// sessions; walks on the real route are entered here too.
class RecordsWindow : public QWidget
{
    Q_OBJECT
public:
    // `child`, when set, shows only that child's sessions.
    RecordsWindow(platform::Dialogs& dialogs, const QString& routeFile,
                  const QString& child = QString(), QWidget* parent = nullptr);

    // Reads the records again; false (after saying why) when they can't be read.
    bool reload();
    const RecordsReport& report() const { return m_report; }

    void setCriterion(const Criterion& criterion);
    // Opens the walk form and records the walk when the adult confirms it.
    void recordWalk();
    void print();

    // How the walk form is shown; a test answers it without a modal window.
    std::function<bool(WalkForm&)> runWalkForm;

    QChartView* chartView() const { return m_chart; }
    QTableView* gridView() const { return m_grid; }
    QTableView* tableView() const { return m_table; }

private:
    void showReport();

    platform::Dialogs& m_dialogs;
    QString m_routeFile;
    QString m_child;
    RecordsReport m_report;
    StepGridModel m_gridModel;
    SessionTableModel m_tableModel;
    QLabel* m_headline = nullptr;
    QSpinBox* m_percent = nullptr;
    QSpinBox* m_sessions = nullptr;
    QChartView* m_chart = nullptr;
    QTableView* m_grid = nullptr;
    QTableView* m_table = nullptr;
};

} // namespace records
