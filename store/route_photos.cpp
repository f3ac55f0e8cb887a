#include "store/route_photos.h"

#include "store/connection.h"

namespace store {

QList<PhotoRow> readPhotoRows(const QString& connectString, const QString& table)
{
    Connection cn;
    cn.Open(connectString, table);
    QList<PhotoRow> rows;
    Recordset rs = cn.Query(QStringLiteral("SELECT rowid AS id, 写真 FROM \"%1\" ORDER BY 順序")
                                .arg(QString(table).replace(u'"', QStringLiteral("\"\""))));
    for (; !rs.eof(); rs.moveNext())
        rows.push_back(
            {rs.rawField(QStringLiteral("id")).toLongLong(), rs.rawField(QStringLiteral("写真"))});
    rs.close();
    cn.Close();
    return rows;
}

void setPhotoPaths(const QString& connectString, const QString& table,
                   const QHash<qint64, QString>& photos)
{
    Connection cn;
    cn.Open(connectString, table);
    Transaction change(cn);
    const QString sql = QStringLiteral("UPDATE \"%1\" SET 写真 = ? WHERE rowid = ?")
                            .arg(QString(table).replace(u'"', QStringLiteral("\"\"")));
    for (auto it = photos.cbegin(); it != photos.cend(); ++it)
        cn.Execute(sql, {it.value(), it.key()});
    change.commit();
    cn.Close();
}

} // namespace store
