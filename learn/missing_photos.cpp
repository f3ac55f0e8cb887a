#include "learn/missing_photos.h"

#include "app/m_lane.h"
#include "platform/dialogs.h"
#include "platform/picture.h"
#include "store/connection.h"
#include "store/step_photo.h"
#include "store/store_error.h"

#include <QSet>

namespace learn {

int countMissingPhotos(const QString& connectString, const QString& table)
{
    QStringList photos;
    try {
        store::Connection cn;
        cn.Open(connectString, table, 1);
        photos = store::RoutePhotos(cn, table);
        cn.Close();
    } catch (const store::StoreError&) {
        return 0;
    }
    QSet<QString> missing;
    for (const QString& photo : photos) {
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
    return QStringLiteral("%1 枚の写真が見つかりません。「写真の場所を直す…」で直せます。")
        .arg(missing);
}

void noticeMissingPhotos(platform::Dialogs& dialogs, QWidget* parent)
{
    const QString notice =
        missingPhotosNotice(countMissingPhotos(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE));
    if (!notice.isEmpty())
        dialogs.MsgBox(parent, notice);
}

} // namespace learn
