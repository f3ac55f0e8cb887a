// Writes the sample route file for a new program folder. A route file that exists already is
// someone's route: it is left exactly as it is.
#include "app/sample_route.h"
#include "platform/failure.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: make_sample_route ROUTE_FILE PHOTO_FOLDER\n");
        return 2;
    }
    try {
        if (!app::writeSampleRoute(args[1], args[2])) {
            std::printf("keeping the existing route file %s\n", qPrintable(args[1]));
            return 0;
        }
    } catch (const platform::Failure& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
        return 1;
    }
    std::printf("wrote the sample route %s\n", qPrintable(args[1]));
    return 0;
}
