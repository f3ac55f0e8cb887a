// Arbitrary text through the text helpers and the connection string: no crash, and the
// properties each helper promises hold for every input.
#include "app/m_lane.h"
#include "app/vb4_func.h"
#include "store/connect_string.h"
#include "store/sql_quote.h"
#include "store/step.h"

#include <QString>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const int count = int(data[0]) - 16; // negative counts too
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));

    const QString quoted = VB4_FUNC::SQL_QUOTE(text);
    if (quoted.size() != text.size() + text.count(QLatin1Char('\'')))
        std::abort();
    if (QString(quoted).replace(QLatin1String("''"), QLatin1String("'")) != text)
        std::abort();

    const QString right = VB4_FUNC::ANSI_RIGHT(text, count);
    if (count <= 0 && !right.isEmpty())
        std::abort();
    // For plain ASCII text a byte is a character.
    bool ascii = true;
    for (QChar c : text)
        ascii = ascii && c.unicode() < 0x80;
    if (ascii && right != text.right(std::max(0, count)))
        std::abort();

    if (!text.isEmpty() && store::dataSourceOf(m_lane::ConnectString(text)) != text)
        std::abort();
    (void)store::dataSourceOf(text);

    const QString key = store::StepKey(static_cast<long long>(size) * count);
    if (key.size() != 3)
        std::abort();
    return 0;
}
