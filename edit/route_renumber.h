#pragma once

#include <QString>

namespace store {
class Connection;
}

namespace edit {

// The most steps three-digit order numbers can hold.
inline constexpr int kMaxSteps = 999;

// Gives every step of `table` its number "001", "002", ... in the route's order (rows with the
// same number keep the order in which they were stored). Returns the number that the row with
// row id `rowId` got (empty when there is no such row). Each row is addressed by its row id, so
// that rows a hand-edited file gives the same photo or the same number can't be merged, and only
// rows whose number changes are written. The rows are read whole before the first update: SQLite
// leaves a read undefined while the same table changes on that connection.
//
// A route of more than 999 rows (made outside the program) can't be numbered: rather than write
// a number outside "001"-"999" or give two rows one number, nothing is written and a StoreError
// of kind TooManySteps says so, naming `routeSteps` (the route's size before the caller's change;
// -1: the rows there are now). Runs inside the caller's transaction; throws StoreError.
QString renumber(store::Connection& cn, const QString& table, qint64 rowId = -1,
                 qsizetype routeSteps = -1);

} // namespace edit
