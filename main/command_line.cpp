#include "main/command_line.h"

#include "app/m_lane.h"
#include "app/route_book.h"
#include "app/route_outputs.h"
#include "main/messages.h"
#include "platform/failure.h"
#include "platform/picture.h"
#include "print/booklet_pdf.h"
#include "print/messages.h"
#include "records/records_cli.h"
#include "share/share_cli.h"
#include "store/route.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>
#include <cstdio>
#include <cstring>

namespace {

namespace text = michitan::messages;

// The options that each start a job of their own, and those that only print a text.
const char* const kJobs[] = {"--print-pdf", "--export",   "--import", "--relink",
                             "--photos",    "--records-", "--help",   "--version",
                             "-h",          "-v",         "-?"};

void say(const QString& text)
{
    QTextStream out(stdout);
    out << text;
    out.flush();
}

// Standard error in UTF-8, whatever the locale says: every message of the command line leaves
// through one of these.
class ErrorStream : public QTextStream
{
public:
    ErrorStream() : QTextStream(stderr) { setEncoding(QStringConverter::Utf8); }
};

void complain(const platform::Failure& failure)
{
    ErrorStream() << failure.text() << Qt::endl;
}

// Reports a job that could not be done; the exit code of a failure.
int fail(const platform::Failure& failure)
{
    complain(failure);
    return 1;
}

// Refuses a command line the program does not understand; the exit code of misuse.
int refuse(const platform::Failure& failure)
{
    complain(failure);
    return 2;
}
int refuse(const QString& why)
{
    return refuse(text::usage(why));
}

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// Reads the route in `routePath`; complains and returns no value when it can't.
std::optional<QList<booklet::Step>> readRoute(const QString& routePath)
{
    // A route file that does not exist must not be made (empty) by reading it.
    if (!QFileInfo(routePath).isFile()) {
        complain(text::noRouteFile(native(routePath)));
        return std::nullopt;
    }
    try {
        return store::Route(routePath).steps();
    } catch (const platform::Failure& e) {
        complain(e);
        return std::nullopt;
    }
}

int printPdf(const QString& out, int perPage, const QString& routePath)
{
    const std::optional<QList<booklet::Step>> steps = readRoute(routePath);
    if (!steps)
        return 1;
    for (qsizetype i = 0; i < steps->size(); ++i)
        if (!platform::PictureSize(steps->at(i).photo))
            ErrorStream() << booklet::messages::photoAsFrame(int(i) + 1, steps->at(i).photo)
                          << Qt::endl;
    booklet::Options options;
    options.perPage = perPage;
    try {
        booklet::WriteBookletPdf(out, *steps, options, booklet::DefaultPageLayout());
    } catch (const platform::Failure& e) {
        complain(e);
        return 1;
    }
    return 0;
}

} // namespace

void addWindowOptions(QCommandLineParser& parser)
{
    parser.addOption({QStringLiteral("practice"), text::kHelpPractice});
    parser.addOption({QStringLiteral("child"), text::kHelpChild, QStringLiteral("NAME")});
}

WindowStart ReadWindowStart(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("route"), {}, QStringLiteral("NAME")});
    parser.addOption({QStringLiteral("per-page"), {}, QStringLiteral("N")});
    parser.addOption({QStringLiteral("new-route"), {}, QStringLiteral("NAME")});
    parser.addOption({QStringLiteral("print-pdf"), {}, QStringLiteral("OUT")});
    addWindowOptions(parser);
    share::addCommandLineOptions(parser);
    WindowStart start;
    if (!parser.parse(arguments)) {
        start.error = parser.errorText();
        return start;
    }
    start.practiceOnly = parser.isSet(QStringLiteral("practice"));
    start.child = parser.value(QStringLiteral("child"));
    start.route = parser.value(QStringLiteral("route"));
    return start;
}

bool WantsCommandLineJob(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        for (const char* job : kJobs)
            if (std::strncmp(argv[i], job, std::strlen(job)) == 0)
                return true;
    return false;
}

std::optional<int> RunCommandLine(const QStringList& arguments,
                                  const std::function<app::RouteStart()>& defaultRoute)
{
    QCommandLineParser parser;
    const QCommandLineOption printPdfOption(QStringLiteral("print-pdf"), text::kHelpPrintPdf,
                                            QStringLiteral("OUT.pdf"));
    const QCommandLineOption perPageOption(QStringLiteral("per-page"), text::kHelpPerPage,
                                           QStringLiteral("1|2|4"), QStringLiteral("2"));
    const QCommandLineOption routeOption(QStringLiteral("route"), text::kHelpRoute,
                                         QStringLiteral("FILE"));
    parser.setApplicationDescription(text::kDescription);
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        text::kHelpHelp);
    const QCommandLineOption versionOption({QStringLiteral("v"), QStringLiteral("version")},
                                           text::kHelpVersion);
    const QCommandLineOption newRouteOption(QStringLiteral("new-route"), text::kHelpNewRoute,
                                            QStringLiteral("NAME"));
    parser.addOptions(
        {helpOption, versionOption, printPdfOption, perPageOption, routeOption, newRouteOption});
    addWindowOptions(parser);
    share::addCommandLineOptions(parser);
    records::addCommandLineOptions(parser);

    const bool parsed = parser.parse(arguments);
    if (parsed && parser.isSet(helpOption)) {
        // The installed command's name, wherever the program was started from.
        QString text = parser.helpText();
        const QString called = QCoreApplication::arguments().value(0);
        const qsizetype at = called.isEmpty() ? -1 : text.indexOf(called);
        if (at >= 0)
            text.replace(at, called.size(), QStringLiteral("michitan"));
        say(text);
        return 0;
    }
    if (parsed && parser.isSet(versionOption)) {
        say(QStringLiteral("michitan %1\n").arg(QCoreApplication::applicationVersion()));
        return 0;
    }
    const bool recordsJob = !parser.isSet(printPdfOption) && records::wantsCommand(parser);
    const bool routeJob =
        parser.isSet(printPdfOption) || recordsJob ? false : share::wantsCommand(parser);
    const bool job = parser.isSet(printPdfOption) || routeJob || recordsJob;
    if (!job) {
        // Without a job the program opens its windows (on the route named, if one is).
        if (parsed && (parser.isSet(perPageOption) || parser.isSet(newRouteOption))) {
            return refuse(text::kOptionsWithoutTheirJob);
        }
        return std::nullopt;
    }
    if (!parsed) {
        complain(text::notUnderstood(parser.errorText()));
        return 2;
    }
    if (int(parser.isSet(printPdfOption)) + int(share::wantsCommand(parser)) +
            int(records::wantsCommand(parser)) >
        1) {
        return refuse(text::kOneJobAtATime);
    }
    if (parser.isSet(newRouteOption) &&
        (!parser.isSet(QStringLiteral("import")) || parser.isSet(routeOption))) {
        return refuse(text::kNewRouteWithImport);
    }
    // A route file named by its path needs nothing else; a route's name, a new route or none
    // at all is looked up in the route folder (the route in use when none is named).
    QString route = parser.value(routeOption);
    if (!parser.isSet(routeOption) || !QFileInfo(route).isFile()) {
        const app::RouteStart start = defaultRoute();
        if (start.failure && !parser.isSet(routeOption)) {
            return fail(*start.failure);
        }
        const QString routeFolder = QFileInfo(start.routeFile).absolutePath();
        std::optional<platform::Failure> failure;
        if (start.routeFile.isEmpty()) {
            // No route folder: the name is taken as a path, as it always was.
        } else if (parser.isSet(newRouteOption)) {
            const app::BookResult made =
                app::CreateRoute(routeFolder, parser.value(newRouteOption), {}, false);
            route = made.path;
            failure = made.failure;
        } else if (parser.isSet(routeOption)) {
            route = app::ResolveRoute(routeFolder, route, &failure);
        } else {
            route = app::ChooseStart(routeFolder).routeFile;
        }
        if (failure) {
            return fail(*failure);
        }
    }
    // A booklet or an archive never goes over the route or a file kept with it.
    for (const QString& option :
         {QStringLiteral("print-pdf"), QStringLiteral("export"), QStringLiteral("records-csv"),
          QStringLiteral("records-obl"), QStringLiteral("records-pdf")}) {
        const QString target = parser.isSet(option) ? parser.value(option) : QString();
        if (target.isEmpty())
            continue;
        // Named on the command line, the output is the caller's mistake: misuse, not failure.
        if (const auto clash = app::routeFileClash(target, route)) {
            return refuse(*clash);
        }
    }
    ErrorStream err;
    if (recordsJob)
        return records::runCommandLine(parser, QFileInfo(route).absoluteFilePath(), err);
    if (routeJob) {
        QTextStream out(stdout);
        return share::runCommandLine(parser, QFileInfo(route).absoluteFilePath(), out, err);
    }
    bool number = false;
    const int perPage = parser.value(perPageOption).toInt(&number);
    if (!number || (perPage != 1 && perPage != 2 && perPage != 4)) {
        return refuse(text::kPerPageValues);
    }
    const QString out = parser.value(printPdfOption);
    if (out.isEmpty()) {
        return refuse(text::kPdfFileName);
    }
    return printPdf(QFileInfo(out).absoluteFilePath(), perPage,
                    QFileInfo(route).absoluteFilePath());
}
