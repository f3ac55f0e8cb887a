#include "edit/route_renumber.h"

#include "app/vb4_func.h"
#include "store/connection.h"

#include <QList>

namespace edit {
namespace {

struct Row
{
    QString id;
    QString order;
    QString photo;
};

QList<Row> readRows(store::Connection& cn, const QString& table)
{
    QList<Row> rows;
    store::Recordset rs = cn.Query(QStringLiteral("SELECT rowid AS 行, 順序, 写真 FROM ") + table +
                                   QStringLiteral(" ORDER BY 順序, rowid"));
    for (; !rs.eof(); rs.moveNext())
        rows.push_back(Row{rs.field(QStringLiteral("行")), rs.rawField(QStringLiteral("順序")),
                           rs.field(QStringLiteral("写真"))});
    rs.close();
    return rows;
}

} // namespace

QString renumber(store::Connection& cn, const QString& table, const QString& photo)
{
    QString photoNumber;
    long long i = 0;
    for (const Row& row : readRows(cn, table)) {
        const QString number = VB4_FUNC::StepKey(++i);
        if (!photo.isEmpty() && photo == row.photo)
            photoNumber = number;
        if (row.order == number)
            continue;
        cn.Execute(QStringLiteral("UPDATE ") + table + QStringLiteral(" SET 順序 = '") + number +
                   QStringLiteral("' WHERE rowid = ") + row.id);
    }
    return photoNumber;
}

} // namespace edit
