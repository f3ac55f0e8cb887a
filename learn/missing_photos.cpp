#include "learn/missing_photos.h"

#include "app/m_lane.h"
#include "learn/messages.h"
#include "platform/dialogs.h"
#include "platform/failure.h"
#include "platform/picture.h"
#include "store/route.h"

#include <QSet>

namespace learn {

int countMissingPhotos(const QString& routePath)
{
    QList<store::Step> steps;
    try {
        steps = store::Route(routePath, 1, store::IfMissing::Fail).steps();
    } catch (const platform::Failure&) {
        return 0;
    }
    QSet<QString> missing;
    for (const store::Step& step : steps) {
        const QString& photo = step.photo;
        // A step without a photo is where the route ends, not a missing photo.
        if (!photo.isEmpty() && !missing.contains(photo) && !platform::PictureSize(photo))
            missing.insert(photo);
    }
    return int(missing.size());
}

QString missingPhotosNotice(int missing)
{
    if (missing <= 0)
        return QString();
    return messages::photosMissing(missing);
}

void noticeMissingPhotos(platform::Dialogs& dialogs, QWidget* parent)
{
    const QString notice = missingPhotosNotice(countMissingPhotos(m_lane::DB_PATH));
    if (!notice.isEmpty())
        dialogs.MsgBox(parent, notice);
}

} // namespace learn
