#include "store/step_photo.h"

#include "store/connection.h"

namespace store {

QString OtherStepWithPhoto(Connection& cn, const QString& table, const QString& photo,
                           qint64 exceptRow)
{
    Recordset rs = cn.Query(QStringLiteral("SELECT 順序 FROM ") + table +
                                QStringLiteral(" WHERE 写真 = ? AND rowid <> ? ORDER BY 順序"),
                            {photo, exceptRow});
    return rs.eof() ? QString() : rs.field(QStringLiteral("順序"));
}

QStringList RoutePhotos(Connection& cn, const QString& table)
{
    Recordset rs = cn.Query(
        QStringLiteral("SELECT 写真 FROM ") + table + QStringLiteral(" ORDER BY 順序"), {});
    QStringList photos;
    for (; !rs.eof(); rs.moveNext())
        photos << rs.field(QStringLiteral("写真"));
    return photos;
}

void SetStepPhoto(Connection& cn, const QString& table, qint64 row, const QString& photo)
{
    cn.Execute(QStringLiteral("UPDATE ") + table + QStringLiteral(" SET 写真 = ? WHERE rowid = ?"),
               {photo, row});
}

} // namespace store
