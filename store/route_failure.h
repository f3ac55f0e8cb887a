#pragma once

#include "platform/failure.h"

class QSqlError;

namespace store {

// A failure of the route file `path`, under the store's heading ("道順ファイルを読み書きできません
// でした。"), saying that the route is unchanged.
platform::Failure routeFailure(platform::Failure::Kind kind, const QString& path,
                               const platform::Reason& reason, const QString& detail = {});

// The failure a failed statement or connection on the route file reports, from SQLite's
// extended result code.
platform::Failure failureFromSql(const QString& path, const QSqlError& error);

} // namespace store
