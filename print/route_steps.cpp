#include "print/route_steps.h"

#include "store/connection.h"

namespace booklet {

QList<Step> ReadSteps(const QString& connectString, const QString& table)
{
    store::Connection connection;
    connection.Open(connectString, table);
    store::Recordset rs = connection.Query(QStringLiteral("SELECT * FROM ") + table +
                                           QStringLiteral(" ORDER BY 順序"));
    QList<Step> steps;
    for (; !rs.eof(); rs.moveNext())
        steps << Step{static_cast<int>(steps.size()) + 1, rs.field(QStringLiteral("写真")),
                      rs.field(QStringLiteral("方向"))};
    rs.close();
    connection.Close();
    return steps;
}

} // namespace booklet
