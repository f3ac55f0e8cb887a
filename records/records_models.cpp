#include "records/records_models.h"

#include "records/messages.h"

#include <QBrush>
#include <QFont>

namespace records {

void StepGridModel::setReport(const RecordsReport* report)
{
    beginResetModel();
    m_report = report;
    m_rowWrong.clear();
    if (report)
        for (const QList<StepResult>& row : report->grid.cells) {
            int wrong = 0;
            for (const StepResult& cell : row)
                wrong += cell.wrong;
            m_rowWrong.append(wrong);
        }
    endResetModel();
}

int StepGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_report ? 0 : int(m_report->grid.rows.size());
}

int StepGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_report ? 0 : m_report->grid.columns;
}

QVariant StepGridModel::data(const QModelIndex& index, int role) const
{
    if (!m_report || !index.isValid())
        return {};
    const StepResult& cell = m_report->grid.cells[index.row()][index.column()];
    const bool walk = m_report->summaries[index.column()].walk;
    switch (role) {
    case Qt::DisplayRole:
        return cellText(cell, walk);
    case Qt::BackgroundRole: {
        const QColor colour = cellColour(cell, walk);
        return colour.isValid() ? QVariant(QBrush(colour)) : QVariant();
    }
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    case Qt::ToolTipRole:
        if (!cell.shown)
            return messages::kStepNotShown;
        if (walk)
            return messages::walkTip(helpLabel(cell.help));
        return messages::practiceTip(cell.firstTryRight, cell.wrong, cell.backs);
    default:
        return {};
    }
}

QVariant StepGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (!m_report)
        return {};
    if (orientation == Qt::Vertical) {
        const StepGrid::Row& row = m_report->grid.rows[section];
        if (role == Qt::DisplayRole)
            return QStringLiteral("%1%2　まちがい %3")
                .arg(row.current ? QString() : QStringLiteral("（前の道順）"), row.label)
                .arg(m_rowWrong.value(section));
        if (role == Qt::ToolTipRole)
            return row.photo;
        return {};
    }
    const SessionSummary& s = m_report->summaries[section];
    if (role == Qt::DisplayRole)
        return sessionLabel(s, section);
    if (role == Qt::ToolTipRole)
        return (s.walk ? QStringLiteral("実際の道 ") : QStringLiteral("練習 ")) +
               dateText(s.started);
    if (role == Qt::FontRole && s.walk) {
        QFont font;
        font.setItalic(true);
        return font;
    }
    return {};
}

void SessionTableModel::setReport(const RecordsReport* report)
{
    beginResetModel();
    m_report = report;
    endResetModel();
}

int SessionTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_report ? 0 : int(m_report->summaries.size());
}

int SessionTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : Columns;
}

QString SessionTableModel::title(int column)
{
    switch (column) {
    case Number:
        return QStringLiteral("回");
    case Kind:
        return QStringLiteral("種類");
    case Date:
        return QStringLiteral("日時");
    case Time:
        return QStringLiteral("かかった時間");
    case FirstTry:
        return QStringLiteral("1回目で正解");
    case Wrong:
        return QStringLiteral("まちがい");
    case Backs:
        return QStringLiteral("もどる");
    case Goal:
        return QStringLiteral("ゴール");
    case Note:
        return QStringLiteral("メモ");
    default:
        return QString();
    }
}

QString SessionTableModel::text(const RecordsReport& report, int row, int column)
{
    const SessionSummary& s = report.summaries[row];
    switch (column) {
    case Number:
        return QString::number(row + 1);
    case Kind:
        return s.walk ? QStringLiteral("実際の道") : QStringLiteral("練習");
    case Date:
        return dateText(s.started);
    case Time:
        return s.walk ? QString() : durationText(s.durationMs);
    case FirstTry: {
        const std::optional<double> share = s.share();
        return share ? QStringLiteral("%1 / %2（%3 %）")
                           .arg(s.firstTryRight)
                           .arg(s.stepsShown)
                           .arg(*share, 0, 'f', 0)
                     : QStringLiteral("—");
    }
    case Wrong:
        return s.walk ? QString() : QString::number(s.wrong);
    case Backs:
        return s.walk ? QString() : QString::number(s.backs);
    case Goal:
        if (s.walk)
            return QString();
        return s.goal     ? QStringLiteral("○")
               : s.cutOff ? QStringLiteral("×（中断）")
                          : QStringLiteral("×");
    case Note:
        return s.note;
    default:
        return QString();
    }
}

QVariant SessionTableModel::data(const QModelIndex& index, int role) const
{
    if (!m_report || !index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return text(*m_report, index.row(), index.column());
    if (role == Qt::TextAlignmentRole && index.column() != Note)
        return int(Qt::AlignCenter);
    if (role == Qt::BackgroundRole && m_report->practiceMet == index.row())
        return QBrush(QColor(0xD8, 0xF0, 0xFF));
    return {};
}

QVariant SessionTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return title(section);
    return {};
}

} // namespace records
