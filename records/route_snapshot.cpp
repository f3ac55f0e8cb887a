#include "records/route_snapshot.h"

#include "app/m_lane.h"
#include "store/connection.h"

#include <QFileInfo>

namespace records {

QList<store::RecordStep> readRouteSteps(const QString& routePath, int timeoutSeconds)
{
    QList<store::RecordStep> steps;
    // Reading must not make an empty route file where there is none.
    if (!QFileInfo(routePath).isFile())
        return steps;
    const QString table = QStringLiteral("プログラム");
    store::Connection connection;
    connection.Open(m_lane::ConnectString(routePath), table, timeoutSeconds);
    {
        store::Recordset rs = connection.Query(QStringLiteral("SELECT * FROM ") + table +
                                               QStringLiteral(" ORDER BY 順序"));
        for (; !rs.eof(); rs.moveNext())
            steps.append(store::RecordStep{rs.field(QStringLiteral("順序")).toInt(),
                                           rs.field(QStringLiteral("写真")),
                                           rs.field(QStringLiteral("方向"))});
        rs.close();
    }
    connection.Close();
    return steps;
}

} // namespace records
