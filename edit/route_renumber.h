#pragma once

#include <QString>

namespace store {
class Connection;
}

namespace edit {

// The most steps three-digit order numbers can hold.
inline constexpr int kMaxSteps = 999;

// Gives every step of `table` its number "001", "002", ... in the route's order, addressing each
// row by its photo. Returns the number `photo`'s step got (empty when it has none). The rows are
// read whole before the first update: SQLite leaves a read undefined while the same table
// changes on that connection. Runs inside the caller's transaction; throws StoreError.
QString renumberByPhoto(store::Connection& cn, const QString& table, const QString& photo);

// The same, addressing each row by its old number (after a deletion).
void renumberByOrder(store::Connection& cn, const QString& table);

} // namespace edit
