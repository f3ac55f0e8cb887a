#include "edit/route_renumber.h"

#include "app/vb4_func.h"
#include "store/connection.h"

#include <QStringList>

namespace edit {
namespace {

QStringList readColumn(store::Connection& cn, const QString& sql, const QString& column)
{
    QStringList values;
    store::Recordset rs = cn.Query(sql);
    for (; !rs.eof(); rs.moveNext())
        values << rs.field(column);
    rs.close();
    return values;
}

} // namespace

QString renumberByPhoto(store::Connection& cn, const QString& table, const QString& photo)
{
    const QStringList photos =
        readColumn(cn, QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" ORDER BY 順序"),
                   QStringLiteral("写真"));
    QString photoNumber;
    long long i = 0;
    for (const QString& rowPhoto : photos) {
        const QString number = VB4_FUNC::StepKey(++i);
        const QString sql = QStringLiteral("UPDATE ") + table + QStringLiteral(" SET 順序 = '") +
                            number + QStringLiteral("' WHERE 写真 = '") +
                            VB4_FUNC::SQL_QUOTE(rowPhoto) + QStringLiteral("'");
        if (photo == rowPhoto)
            photoNumber = number;
        cn.Execute(sql);
    }
    return photoNumber;
}

void renumberByOrder(store::Connection& cn, const QString& table)
{
    const QStringList orders = readColumn(
        cn, QStringLiteral("SELECT 順序 FROM ") + table + QStringLiteral(" ORDER BY 順序"),
        QStringLiteral("順序"));
    long long i = 0;
    for (const QString& old : orders) {
        // The old number goes through SQL_QUOTE like every other value: a hand-edited route may
        // hold anything in 順序.
        cn.Execute(QStringLiteral("UPDATE ") + table + QStringLiteral(" SET 順序 = '") +
                   VB4_FUNC::StepKey(++i) + QStringLiteral("' WHERE 順序 = '") +
                   VB4_FUNC::SQL_QUOTE(old) + QStringLiteral("'"));
    }
}

} // namespace edit
