#include "store/connect_string.h"

namespace store {

QString dataSourceOf(const QString& connectString)
{
    qsizetype i = 0;
    const qsizetype n = connectString.size();
    while (i < n) {
        const qsizetype eq = connectString.indexOf(QLatin1Char('='), i);
        if (eq < 0)
            break;
        const QString key = connectString.mid(i, eq - i).trimmed();
        qsizetype j = eq + 1;
        QString value;
        if (j < n && connectString[j] == QLatin1Char('"')) {
            ++j;
            while (j < n) {
                if (connectString[j] == QLatin1Char('"')) {
                    if (j + 1 < n && connectString[j + 1] == QLatin1Char('"')) {
                        value += QLatin1Char('"');
                        j += 2;
                        continue;
                    }
                    ++j;
                    break;
                }
                value += connectString[j++];
            }
            const qsizetype semi = connectString.indexOf(QLatin1Char(';'), j);
            j = semi < 0 ? n : semi;
        } else {
            const qsizetype semi = connectString.indexOf(QLatin1Char(';'), j);
            const qsizetype end = semi < 0 ? n : semi;
            value = connectString.mid(j, end - j);
            j = end;
        }
        if (key.compare(QLatin1String("Data Source"), Qt::CaseInsensitive) == 0)
            return value;
        i = j + 1;
    }
    return QString();
}

} // namespace store
