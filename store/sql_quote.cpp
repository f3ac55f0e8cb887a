#include "store/sql_quote.h"

namespace VB4_FUNC {

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

} // namespace VB4_FUNC
