#include "store/store_error.h"

namespace store {

StoreError::StoreError(Kind kind, QString path, QString cause, QString detail)
    : std::runtime_error((cause + QStringLiteral(" ") + path).toStdString()), m_kind(kind),
      m_path(std::move(path)), m_cause(std::move(cause)), m_detail(std::move(detail))
{
}

QString StoreError::userMessage() const
{
    QString text = QStringLiteral("道順ファイルを読み書きできませんでした。\n\n") +
                   QStringLiteral("ファイル: ") + m_path + QStringLiteral("\n理由: ") + m_cause;
    if (!m_detail.isEmpty())
        text += QStringLiteral("\n（") + m_detail + QStringLiteral("）");
    text += QStringLiteral("\n\n道順は変更されていません。");
    return text;
}

} // namespace store
