#pragma once

#include "platform/failure.h"

#include <QString>
#include <optional>

namespace app {

// Why the program must not write a booklet or an archive at `output`: it is the route file at
// `routeFile` itself, one of the files kept beside it (its journal, its dated copies), or any
// other database (the records, another route). Unset when `output` may be written.
std::optional<platform::Failure> routeFileClash(const QString& output, const QString& routeFile);

} // namespace app
