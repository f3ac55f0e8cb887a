#pragma once

#include <QString>

// The sentences of the "答え方" settings, in one place: the dialog and its tests read them here.
namespace answer::messages {

// On a key button waiting for the switch (or key) it is to become.
inline const QString kPressSwitch = QStringLiteral("スイッチを押してください…");
inline const QString kSameKeyTwice =
    QStringLiteral("スイッチ 2 つのときは、動かすスイッチと答えるスイッチに別のキーを"
                   "決めてください。");
// When saving fails without a reason of its own.
inline const QString kNotSaved = QStringLiteral("答え方を保存できませんでした。");

} // namespace answer::messages
