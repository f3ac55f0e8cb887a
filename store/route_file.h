#pragma once

#include <QString>

namespace store {

// The route table's three columns, in their order.
inline constexpr const char16_t* kColumns[3] = {u"順序", u"写真", u"方向"};

// Makes a new, empty route file at `path` with the table `table`. It never replaces a file that
// exists. Throws StoreError when the file can't be made.
void createRouteFile(const QString& path, const QString& table);

// Makes sure a route file stands at `path` before it is opened: creates a missing one, and
// reports a folder or an empty file in its place. Throws StoreError.
void prepareRouteFile(const QString& path, const QString& table);

// The SQLite URI that opens `path` for reading and writing without ever creating it.
QString sqliteUri(const QString& path);

} // namespace store
