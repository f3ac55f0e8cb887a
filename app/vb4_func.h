#pragma once

#include <QString>

// The text helpers. SQL_QUOTE, the third, lives beside the statements it serves
// (store/sql_quote.h).
namespace VB4_FUNC {

// The rightmost `count` bytes of `text` in the Japanese ANSI code page (Shift-JIS), converted
// back: a full-width character counts two bytes, a half-width one one byte. `count` is rounded to
// the nearest whole number; a negative count gives the empty text.
QString ANSI_RIGHT(const QString& text, double count);

} // namespace VB4_FUNC
