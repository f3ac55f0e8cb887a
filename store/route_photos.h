#pragma once

#include <QHash>
#include <QList>
#include <QString>

namespace store {

// One step's photo path exactly as stored (blanks and all), with the row that holds it.
struct PhotoRow
{
    qint64 rowId = 0;
    QString photo;
};

// Every row's photo, in the route's order. Throws StoreError.
QList<PhotoRow> readPhotoRows(const QString& connectString, const QString& table);

// Gives each row in `photos` (by row id) its new photo path, all in one change. Throws
// StoreError; on failure nothing has changed.
void setPhotoPaths(const QString& connectString, const QString& table,
                   const QHash<qint64, QString>& photos);

} // namespace store
