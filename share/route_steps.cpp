#include "share/route_steps.h"

#include "platform/write_failure.h"
#include "share/messages.h"
#include "store/route.h"
#include "store/route_file.h"
#include "store/voices.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace share {

QList<store::Step> readSteps(const QString& routePath)
{
    // Reading never makes a missing route file (empty) in passing.
    if (!QFileInfo(routePath).isFile())
        throw failed(messages::routeFileNotFound(routePath));
    return store::Route(routePath, 10, store::IfMissing::Fail).steps();
}

void replaceSteps(const QString& routePath, const QList<store::Step>& steps,
                  const QHash<QString, QString>& voices)
{
    store::Route route(routePath);
    store::Transaction change = route.change();
    route.replaceAll(steps);
    store::replaceVoices(route.connection(), store::routeTable(), voices);
    change.commit();
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
        throw failed(
            messages::datedCopyNotMade(copy, platform::writeFailureReason(copy, route.size())));
    return copy;
}

} // namespace share
