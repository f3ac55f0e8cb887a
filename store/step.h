#pragma once

#include <QString>

namespace store {

// The most steps three-digit order numbers can hold.
inline constexpr int kMaxSteps = 999;

// One step of the route, as one row of the route table holds it. `row` is the row's id in the
// file (-1 for a step not read from a file); a change addresses a chosen row by it, since a
// hand-edited file may give two rows the same number or the same photo.
struct Step
{
    qint64 row = -1;
    QString order;     // "001" .. "999" (a temporary "004_0" while a change is under way)
    QString photo;     // the photo's full path
    QString direction; // "↑", "→" or "←"

    // The step's number (1 for "001"); 0 when its order is no number.
    int number() const { return order.toInt(); }

    bool operator==(const Step&) const = default;
};

// The order number of step `n`: its last three digits, with leading zeros ("001" for 1, "000"
// for 1000).
QString StepKey(long long n);

} // namespace store
