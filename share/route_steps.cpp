#include "share/route_steps.h"

#include "app/m_lane.h"
#include "app/vb4_func.h"
#include "platform/write_failure.h"
#include "share/share_error.h"
#include "store/connection.h"
#include "store/route_file.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace share {

QString routeTable()
{
    return m_lane::ROUTE_TABLE.isEmpty() ? QStringLiteral("プログラム") : m_lane::ROUTE_TABLE;
}

QList<RouteStep> readSteps(const QString& routePath)
{
    // Reading never makes a missing route file (empty) in passing.
    if (!QFileInfo(routePath).isFile())
        throw failed(QStringLiteral("道順ファイル「%1」が見つかりません。")
                         .arg(QDir::toNativeSeparators(routePath)));
    store::Connection cn;
    cn.Open(m_lane::ConnectString(routePath), routeTable());
    QList<RouteStep> steps;
    store::Recordset rs = cn.Query(QStringLiteral("SELECT * FROM ") + routeTable() +
                                   QStringLiteral(" ORDER BY 順序"));
    for (; !rs.eof(); rs.moveNext())
        steps.push_back(RouteStep{rs.field(QStringLiteral("順序")),
                                  rs.field(QStringLiteral("写真")),
                                  rs.field(QStringLiteral("方向"))});
    rs.close();
    cn.Close();
    return steps;
}

void replaceSteps(const QString& routePath, const QList<RouteStep>& steps)
{
    const QString table = routeTable();
    store::Connection cn;
    cn.Open(m_lane::ConnectString(routePath), routeTable());
    store::Transaction change(cn);
    cn.Execute(QStringLiteral("DELETE FROM ") + table);
    long long n = 0;
    for (const RouteStep& step : steps)
        cn.Execute(QStringLiteral("INSERT INTO ") + table + QStringLiteral(" VALUES ( '") +
                   VB4_FUNC::StepKey(++n) + QStringLiteral("','") +
                   VB4_FUNC::SQL_QUOTE(step.photo) + QStringLiteral("','") + step.direction +
                   QStringLiteral("' );"));
    change.commit();
    cn.Close();
}

QString keepDatedCopy(const QString& routePath)
{
    const QFileInfo route(routePath);
    if (!route.isFile())
        return QString();
    const QDateTime now = QDateTime::currentDateTime();
    QString copy = store::datedCopyPath(routePath, now);
    for (int i = 1; QFileInfo::exists(copy); ++i)
        copy = store::datedCopyPath(routePath, now.addSecs(i));
    if (!QFile::copy(routePath, copy))
        throw failed(QStringLiteral("いまの道順の控え（%1）を作れませんでした。%2"
                                    "道順は変わっていません。")
                         .arg(QDir::toNativeSeparators(copy),
                              platform::writeFailureReason(copy, route.size())));
    return copy;
}

} // namespace share
