#include "edit/chosen_step.h"

#include "app/vb4_func.h"
#include "store/connection.h"

namespace edit {

qint64 findStepRow(store::Connection& cn, const QString& table, const QString& order,
                   const std::optional<QString>& photo)
{
    store::Recordset rs = cn.Query(QStringLiteral("SELECT rowid AS 行, 写真 FROM ") + table +
                                   QStringLiteral(" WHERE 順序 = '") + VB4_FUNC::SQL_QUOTE(order) +
                                   QStringLiteral("' ORDER BY rowid"));
    for (; !rs.eof(); rs.moveNext()) {
        if (!photo || rs.field(QStringLiteral("写真")) == *photo)
            return rs.field(QStringLiteral("行")).toLongLong();
    }
    return -1;
}

QString routeChangedMessage()
{
    return QStringLiteral("道順が、ほかのプログラム（もう一つのミチタンなど）で変更されていました。"
                          "何も変更していません。\n\n一覧を読み込み直したので、ステップを"
                          "もう一度選んでから操作してください。");
}

} // namespace edit
