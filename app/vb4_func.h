#pragma once

#include <QString>

namespace VB4_FUNC {

// The rightmost `count` bytes of `text` in the Japanese ANSI code page (Shift-JIS), converted
// back: a full-width character counts two bytes, a half-width one one byte. `count` is rounded to
// the nearest whole number; a negative count gives the empty text.
QString ANSI_RIGHT(const QString& text, double count);

// `text` with every apostrophe (U+0027) doubled, ready to stand between single quotes in a
// statement.
QString SQL_QUOTE(const QString& text);

// The three-digit order number of step `n`: the last three characters of "000" and n's digits.
QString StepKey(long long n);

} // namespace VB4_FUNC
