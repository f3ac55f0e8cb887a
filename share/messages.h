#pragma once

#include "platform/failure.h"

#include <QString>

// What writing, reading and mending a route says to the adult, in one place.
namespace share::messages {

inline const QString kNotRead = QStringLiteral("このファイルは読み込めません。");
inline const QString kNothingChanged = QStringLiteral("道順も写真のフォルダーも変わっていません。");
inline const QString kChooseOurFile =
    QStringLiteral("ミチタンの「道順を書き出す…」で作ったファイルを選んでください。");
inline const QString kWriteOursAgain =
    QStringLiteral("ファイルが途中で壊れたのかもしれません。書き出したパソコンでもう一度"
                   "「道順を書き出す…」を使って、作り直してください。");
inline const QString kCancelled = QStringLiteral("中止しました。");
// What a window says when the adult stopped the work.
inline const QString kCancelledUnchanged = QStringLiteral("中止しました。道順は変わっていません。");

} // namespace share::messages

namespace share {

// A refused archive: `why` says what is wrong with it; the message adds that nothing changed.
platform::Failure refused(const QString& why);
// A refused archive that ミチタン wrote itself (it carries our manifest) but that is damaged or
// holds what we can't take: the advice is to write it again, not to find another file.
platform::Failure refusedOurs(const QString& why);
// A file that could not be read or written; `why` says which and what to do.
platform::Failure failed(const QString& why);
// The adult stopped the work.
platform::Failure cancelled();

} // namespace share
