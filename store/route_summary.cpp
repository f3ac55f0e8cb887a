#include "store/route_summary.h"

#include "store/connection.h"
#include "store/store_error.h"

namespace store {

RouteSummary SummariseRoute(const QString& connectString, const QString& table)
{
    RouteSummary summary;
    try {
        Connection cn;
        // A list waits on no other program: one that holds the file just shows no count yet.
        cn.Open(connectString, table, 1);
        {
            Recordset rs = cn.Query(QStringLiteral("SELECT COUNT(*) AS 数 FROM ") + table);
            summary.steps = rs.eof() ? 0 : rs.field(QStringLiteral("数")).toInt();
        }
        {
            Recordset rs = cn.Query(QStringLiteral("SELECT 写真 FROM ") + table +
                                    QStringLiteral(" ORDER BY 順序 LIMIT 1"));
            if (!rs.eof())
                summary.firstPhoto = rs.field(QStringLiteral("写真"));
        }
        cn.Close();
    } catch (const StoreError& e) {
        summary.problem = e.userMessage();
    }
    return summary;
}

} // namespace store
