#include "app/program_icon.h"

static void initIconResource()
{
    Q_INIT_RESOURCE(icon);
}

QIcon programIcon()
{
    static const bool loaded = (initIconResource(), true);
    Q_UNUSED(loaded);
    return QIcon(QStringLiteral(":/michitan/icon.png"));
}
