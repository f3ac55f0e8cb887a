#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QVector>

namespace store {

// The step list's data: every row of the route table in the route's order, read at Refresh() and
// kept in memory like a client-side static cursor, so that no connection stays open between
// handlers.
class Adodc : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit Adodc(QObject* parent = nullptr);

    // Reads the route file at `routePath` again. Throws platform::Failure; on failure the rows
    // shown before stay.
    void Refresh(const QString& routePath);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The text of column `column` in row `row`, as stored.
    QString text(int row, int column) const;

private:
    QStringList m_columns;
    QVector<QStringList> m_rows;
};

} // namespace store
