#pragma once

#include <QString>

namespace store {

// The value of "Data Source" in a connection string ("Key=value;Key=value"), with a quoted value
// ("..." with "" for a quote) unquoted. Empty when the key is absent.
QString dataSourceOf(const QString& connectString);

} // namespace store
