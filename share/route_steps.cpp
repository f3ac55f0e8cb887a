#include "share/route_steps.h"

#include "share/share_error.h"
#include "store/route.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace share {

QList<store::Step> readSteps(const QString& routePath)
{
    // Reading never makes a missing route file (empty) in passing.
    if (!QFileInfo(routePath).isFile())
        throw failed(QStringLiteral("道順ファイル「%1」が見つかりません。")
                         .arg(QDir::toNativeSeparators(routePath)));
    return store::Route(routePath).steps();
}

void replaceSteps(const QString& routePath, const QList<store::Step>& steps)
{
    store::Route route(routePath);
    store::Transaction change = route.change();
    route.replaceAll(steps);
    change.commit();
}

QString keepDatedCopy(const QString& routePath)
{
    const QFileInfo route(routePath);
    if (!route.isFile())
        return QString();
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString stem = route.completeBaseName() + QLatin1Char('_') + stamp;
    const QString suffix = route.suffix().isEmpty() ? QString() : QLatin1Char('.') + route.suffix();
    QString copy = route.dir().filePath(stem + suffix);
    for (int i = 2; QFileInfo::exists(copy); ++i)
        copy = route.dir().filePath(stem + QStringLiteral("-%1").arg(i) + suffix);
    if (!QFile::copy(routePath, copy))
        throw failed(QStringLiteral("いまの道順の控え（%1）を作れませんでした。"
                                    "道順ファイルのフォルダーに書き込めるか確かめてください。"
                                    "道順は変わっていません。")
                         .arg(QDir::toNativeSeparators(copy)));
    return copy;
}

} // namespace share
