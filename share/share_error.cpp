#include "share/share_error.h"

namespace share {

ShareError::ShareError(Kind kind, QString message)
    : std::runtime_error(message.toStdString()), m_kind(kind), m_message(std::move(message))
{
}

ShareError refused(const QString& why)
{
    return ShareError(
        ShareError::Kind::Refused,
        QStringLiteral("このファイルは読み込めません。%1\n"
                       "道順も写真のフォルダーも変わっていません。"
                       "ミチタンの「道順を書き出す…」で作ったファイルを選んでください。")
            .arg(why));
}

ShareError refusedOurs(const QString& why)
{
    return ShareError(ShareError::Kind::Refused,
                      QStringLiteral("このファイルは読み込めません。%1\n"
                                     "道順も写真のフォルダーも変わっていません。"
                                     "ファイルが途中で壊れたのかもしれません。書き出したパソコンで"
                                     "もう一度「道順を書き出す…」を使って、作り直してください。")
                          .arg(why));
}

ShareError failed(const QString& why)
{
    return ShareError(ShareError::Kind::Failed, why);
}

} // namespace share
