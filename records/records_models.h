#pragma once

#include "records/records_report.h"

#include <QAbstractTableModel>

namespace records {

// Steps (rows) by sessions (columns), each cell coloured by the wrong presses of that step in
// that session, so that the step a child still gets wrong stands out.
class StepGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit StepGridModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}
    void setReport(const RecordsReport* report);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const RecordsReport* m_report = nullptr;
    QList<int> m_rowWrong; // wrong presses of each row over all sessions
};

// One line per session: date, kind, time taken, first tries, wrong presses, もどる, goal, note.
class SessionTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Number, Kind, Date, Time, FirstTry, Wrong, Backs, Goal, Note, Columns };
    explicit SessionTableModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}
    void setReport(const RecordsReport* report);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The text of a cell, as shown and printed.
    static QString text(const RecordsReport& report, int row, int column);
    static QString title(int column);

private:
    const RecordsReport* m_report = nullptr;
};

} // namespace records
