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

} // namespace edit
