#pragma once

#include <QString>

namespace app {

// The part of a file name, before ".mdb", made from a route's name as the parent typed it, safe
// on every platform: no path separators or characters Windows forbids, no control characters,
// no leading dot or blank, no trailing dot or blank, no reserved device name (CON, NUL, COM1,
// ...), at most 120 bytes in UTF-8 so that the dated copies' longer names still fit. A name
// with nothing usable left gives "道順".
QString SafeFileBase(const QString& name);

} // namespace app
