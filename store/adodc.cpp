#include "store/adodc.h"

#include "store/connection.h"
#include "store/route.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace store {

Adodc::Adodc(QObject* parent) : QAbstractTableModel(parent) {}

void Adodc::Refresh(const QString& routePath)
{
    const QString table = routeTable();
    Connection cn;
    cn.OpenFile(routePath, table);
    QStringList columns;
    QVector<QStringList> rows;
    {
        Recordset rs =
            cn.Query(QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" ORDER BY 順序"));
        for (; !rs.eof(); rs.moveNext()) {
            const QSqlRecord record = rs.record();
            if (columns.isEmpty())
                for (int c = 0; c < record.count(); ++c)
                    columns << record.fieldName(c);
            QStringList row;
            row.reserve(record.count());
            for (int c = 0; c < record.count(); ++c)
                row << record.value(c).toString();
            rows.push_back(std::move(row));
        }
        if (columns.isEmpty())
            columns = rs.columnNames();
    }
    cn.Close();
    beginResetModel();
    m_columns = std::move(columns);
    m_rows = std::move(rows);
    endResetModel();
}

int Adodc::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int Adodc::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QString Adodc::text(int row, int column) const
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_rows[row].size())
        return QString();
    return m_rows[row][column];
}

QVariant Adodc::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return QVariant();
    return text(index.row(), index.column());
}

QVariant Adodc::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < m_columns.size() ? m_columns[section] : QVariant();
    return QString(); // the row header is the record selector: it carries no text
}

} // namespace store
