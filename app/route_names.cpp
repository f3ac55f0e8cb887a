#include "app/route_names.h"

#include <QStringList>

namespace app {

namespace {

constexpr int kMaxBytes = 120;

bool forbidden(QChar c)
{
    return c.unicode() < 0x20 || c.unicode() == 0x7F || QStringLiteral("/\\:*?\"<>|").contains(c);
}

// Windows refuses these names with any extension ("con.mdb" too), in any case.
bool reservedDevice(const QString& base)
{
    const QString stem = base.section(QLatin1Char('.'), 0, 0).trimmed().toUpper();
    static const QStringList names{QStringLiteral("CON"), QStringLiteral("PRN"),
                                   QStringLiteral("AUX"), QStringLiteral("NUL")};
    if (names.contains(stem))
        return true;
    return stem.size() == 4 &&
           (stem.startsWith(QLatin1String("COM")) || stem.startsWith(QLatin1String("LPT"))) &&
           stem.at(3) >= QLatin1Char('0') && stem.at(3) <= QLatin1Char('9');
}

// Blanks and dots at either end are dropped: a leading dot hides a file, a trailing one or a
// blank is removed by Windows.
QString trimEnds(const QString& text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    auto loose = [](QChar c) { return c.isSpace() || c == QLatin1Char('.'); };
    while (start < end && loose(text.at(start)))
        ++start;
    while (end > start && loose(text.at(end - 1)))
        --end;
    return text.mid(start, end - start);
}

// Cuts to kMaxBytes of UTF-8 without splitting a character.
QString cut(const QString& text)
{
    QString result;
    int bytes = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool pair = text.at(i).isHighSurrogate() && i + 1 < text.size();
        const QString one = text.mid(i, pair ? 2 : 1);
        const int size = int(one.toUtf8().size());
        if (bytes + size > kMaxBytes)
            break;
        result += one;
        bytes += size;
        if (pair)
            ++i;
    }
    return result;
}

} // namespace

QString SafeFileBase(const QString& name)
{
    QString text;
    for (QChar c : name.normalized(QString::NormalizationForm_C))
        text += forbidden(c) ? QLatin1Char('_') : c;
    text = trimEnds(cut(trimEnds(text)));
    if (text.isEmpty() || text.count(QLatin1Char('_')) == text.size())
        return QStringLiteral("道順");
    if (reservedDevice(text))
        text.prepend(QLatin1Char('_'));
    return text;
}

} // namespace app
