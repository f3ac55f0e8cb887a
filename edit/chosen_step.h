#pragma once

#include "store/step.h"

#include <QString>
#include <optional>

namespace store {
class Route;
}

namespace edit {

// The step whose row was loaded into the edit bar (its number and photo), as the list showed it.
// A change that acts on that step checks that its number still holds its photo: another copy of
// the program may have changed the route since.
using ChosenStep = store::Step;

// The row id of the step numbered `order`. With `photo` given, the row of that number that holds
// that photo; otherwise the first row of that number. -1 when there is none.
qint64 findStepRow(store::Route& route, const QString& order,
                   const std::optional<QString>& photo = std::nullopt);

} // namespace edit
