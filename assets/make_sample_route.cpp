// Writes the sample route file for a new program folder. A route file that exists already is
// someone's route: it is left exactly as it is.
#include "app/m_lane.h"
#include "store/connection.h"
#include "store/route_file.h"
#include "store/store_error.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: make_sample_route ROUTE_FILE PHOTO_FOLDER\n");
        return 2;
    }
    const QString routeFile = args[1];
    const QDir photos(QFileInfo(args[2]).absoluteFilePath());
    if (QFileInfo::exists(routeFile)) {
        std::printf("keeping the existing route file %s\n", qPrintable(routeFile));
        return 0;
    }
    // The way to school: each photo and the direction to take there.
    const struct
    {
        const char* photo;
        const char* direction;
    } steps[] = {
        {"01_home_gate.jpg", "↑"}, {"02_straight_street.jpg", "↑"}, {"03_corner_right.jpg", "→"},
        {"04_crossing.jpg", "↑"},  {"05_corner_left.jpg", "←"},     {"06_school_gate.jpg", "↑"},
    };
    m_lane::ROUTE_TABLE = QStringLiteral("プログラム");
    try {
        store::createRouteFile(routeFile, m_lane::ROUTE_TABLE);
        store::Connection cn;
        cn.Open(m_lane::ConnectString(QFileInfo(routeFile).absoluteFilePath()),
                m_lane::ROUTE_TABLE);
        store::Transaction change(cn);
        int n = 0;
        for (const auto& step : steps) {
            const QString path = photos.absoluteFilePath(QString::fromUtf8(step.photo));
            cn.Execute(QStringLiteral("INSERT INTO %1 VALUES ( '%2','%3','%4' );")
                           .arg(m_lane::ROUTE_TABLE,
                                QStringLiteral("%1").arg(++n, 3, 10, QLatin1Char('0')),
                                QString(path).replace(QLatin1String("'"), QLatin1String("''")),
                                QString::fromUtf8(step.direction)));
        }
        change.commit();
    } catch (const store::StoreError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.userMessage()));
        return 1;
    }
    std::printf("wrote the sample route %s\n", qPrintable(routeFile));
    return 0;
}
