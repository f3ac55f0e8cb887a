#include "app/m_lane.h"

#include "store/route.h"

namespace m_lane {

QString DB_CONNECT;
QString ROUTE_TABLE;
QString DB_PATH;
QVariant STEP_NO;
QVariant FORM_MARGIN;
QString CHILD;

QString ConnectString(const QString& path)
{
    QString source = path;
    // A value holding ';' or '"' goes between double quotes, inner quotes doubled.
    if (source.contains(QLatin1Char(';')) || source.contains(QLatin1Char('"')) ||
        source != source.trimmed()) {
        source.replace(QLatin1String("\""), QLatin1String("\"\""));
        source = QLatin1Char('"') + source + QLatin1Char('"');
    }
    return QStringLiteral("Provider=SQLite;Data Source=") + source +
           QStringLiteral(";Persist Security Info=False");
}

void UseRoute(const QString& path)
{
    DB_PATH = path;
    DB_CONNECT = ConnectString(DB_PATH);
}

void InitSettings(const QString& programFolder)
{
    QString folder = programFolder;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    UseRoute(folder + QStringLiteral("ADO_LANE.mdb"));
    ROUTE_TABLE = store::routeTable();
    FORM_MARGIN = QVariant::fromValue<qint16>(120);
}

} // namespace m_lane
