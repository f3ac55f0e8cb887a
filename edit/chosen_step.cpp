#include "edit/chosen_step.h"

#include "store/route.h"

namespace edit {

qint64 findStepRow(store::Route& route, const QString& order, const std::optional<QString>& photo)
{
    for (const store::Step& step : route.rowsNumbered(order))
        if (!photo || step.photo == *photo)
            return step.row;
    return -1;
}

QString routeChangedMessage()
{
    return QStringLiteral("道順が、ほかのプログラム（もう一つのミチタンなど）で変更されていました。"
                          "何も変更していません。\n\n一覧を読み込み直したので、ステップを"
                          "もう一度選んでから操作してください。");
}

} // namespace edit
