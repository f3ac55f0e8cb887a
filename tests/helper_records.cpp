// A practice session that is killed: records `presses` presses of the route file's session,
// prints "recorded N" once they are written, then waits to be killed (at most a minute).
//
//   helper_records <route file> <presses>
#include "learn/practice_events.h"
#include "records/recorder.h"

#include <QCoreApplication>
#include <QThread>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return 2;
    const int presses = args[2].toInt();
    records::Recorder recorder(
        [](const QString& message) { std::fprintf(stderr, "%s\n", qPrintable(message)); });
    learn::PracticeEvents events;
    recorder.attach(&events, args[1]);
    for (int i = 0; i < presses; ++i) {
        emit events.stepShown(i + 1, QStringLiteral("/photo/%1.jpg").arg(i + 1));
        emit events.answered(
            events.press(i + 1, QStringLiteral("↑"), QStringLiteral("↑"), true, false));
    }
    recorder.flush();
    std::printf("recorded %d\n", presses);
    std::fflush(stdout);
    QThread::sleep(60);
    return 0;
}
