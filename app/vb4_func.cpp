#include "app/vb4_func.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <cmath>

namespace VB4_FUNC {

QString ANSI_RIGHT(const QString& text, double count)
{
    const double rounded = std::nearbyint(count); // half to even, like the runtime's conversion
    if (!(rounded > 0))
        return QString();
    QStringEncoder encode("Shift_JIS");
    const QByteArray bytes = encode(text);
    const qsizetype n = rounded >= double(bytes.size()) ? bytes.size() : qsizetype(rounded);
    QStringDecoder decode("Shift_JIS");
    return decode(bytes.right(n));
}

} // namespace VB4_FUNC
