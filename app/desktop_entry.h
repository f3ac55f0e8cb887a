#pragma once

#include "platform/failure.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace app {

// The text of a desktop entry that starts `program` with `arguments` (each one argument, quoted
// as the desktop entry format wants), named `name`.
QString DesktopEntryText(const QString& name, const QString& program, const QStringList& arguments);

// A start of the child's own: a desktop entry that opens the practice window for `child` on
// `route` (the route's name) directly. Written into the user's applications folder (so the
// desktop's menu lists it) and onto the desktop. Returns the files written; *failure names those
// that could not be.
QStringList PlaceChildStart(const QString& child, const QString& route, const QString& program,
                            std::optional<platform::Failure>* failure);

} // namespace app
