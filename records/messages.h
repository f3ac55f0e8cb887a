#pragma once

#include "platform/failure.h"

#include <QString>

// What the practice records say to the adult, in one place.
namespace records::messages {

// What a failure of the records file left as it was.
inline const QString kNotErased = QStringLiteral("記録は消していません。");
inline const QString kWalkNotRecorded = QStringLiteral("実際の道は記録されていません。");
inline const QString kPracticeNotRecorded =
    QStringLiteral("この練習は記録しませんでしたが、練習はいつもどおりできます。");

// The file `path` of the format `format` ("CSV") could not be written, for the reason `why`
// (with what to do about it); `detail` holds the system's own words.
inline platform::Failure notWritten(const QString& format, const QString& path, const QString& why,
                                    const QString& detail)
{
    platform::Failure failure(platform::Failure::Kind::Failed, why, {}, detail);
    failure.under(QStringLiteral("%1 を書き出せませんでした。").arg(format)).about(path);
    return failure;
}

} // namespace records::messages
