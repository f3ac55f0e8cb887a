#pragma once

#include <QString>

// The text helper that makes a value safe between single quotes in a statement. It belongs to
// the program's text helpers (app/vb4_func.h) but lives here, beside the only code that builds
// statements.
namespace VB4_FUNC {

// `text` with every apostrophe (U+0027) doubled, ready to stand between single quotes in a
// statement.
QString SQL_QUOTE(const QString& text);

} // namespace VB4_FUNC
