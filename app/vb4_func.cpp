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

QString SQL_QUOTE(const QString& text)
{
    QString result;
    result.reserve(text.size() + 2);
    for (const QChar c : text) {
        result.append(c);
        if (c == QLatin1Char('\''))
            result.append(c);
    }
    return result;
}

QString StepKey(long long n)
{
    return (QStringLiteral("000") + QString::number(n)).right(3);
}

} // namespace VB4_FUNC
