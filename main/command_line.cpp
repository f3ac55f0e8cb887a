#include "main/command_line.h"

#include "app/route_outputs.h"
#include "platform/picture.h"
#include "print/booklet_pdf.h"
#include "share/share_cli.h"
#include "store/route.h"
#include "store/store_error.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>
#include <cstdio>
#include <cstring>

namespace {

// The options that each start a job of their own.
const char* const kJobs[] = {"--print-pdf", "--export", "--import", "--relink", "--photos"};

void complain(const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stderr);
    std::fputc('\n', stderr);
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
        complain(QStringLiteral("道順のファイルが見つかりません: ") + native(routePath));
        return std::nullopt;
    }
    try {
        return store::Route(routePath).steps();
    } catch (const store::StoreError& e) {
        complain(e.userMessage());
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
            complain(
                QStringLiteral("%1 番の写真が見つからないか読めないので、代わりに枠を印刷します: ")
                    .arg(i + 1) +
                native(steps->at(i).photo));
    booklet::Options options;
    options.perPage = perPage;
    const booklet::PdfResult result =
        booklet::WriteBookletPdf(out, *steps, options, booklet::DefaultPageLayout());
    if (result.outcome != booklet::Outcome::Done) {
        complain(QStringLiteral("PDF を書き出せませんでした: ") + native(out) +
                 QStringLiteral("\n理由: ") + result.error);
        return 1;
    }
    return 0;
}

} // namespace

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
    const QCommandLineOption printPdfOption(QStringLiteral("print-pdf"),
                                            QStringLiteral("道順の本を PDF に書き出します。"),
                                            QStringLiteral("OUT.pdf"));
    const QCommandLineOption perPageOption(QStringLiteral("per-page"),
                                           QStringLiteral("1 ページに印刷する写真の数 (1, 2, 4)。"),
                                           QStringLiteral("1|2|4"), QStringLiteral("2"));
    const QCommandLineOption routeOption(QStringLiteral("route"),
                                         QStringLiteral("道順のファイル (ADO_LANE.mdb)。"),
                                         QStringLiteral("FILE"));
    parser.addOptions({printPdfOption, perPageOption, routeOption});
    share::addCommandLineOptions(parser);

    const bool parsed = parser.parse(arguments);
    const bool routeJob = parser.isSet(printPdfOption) ? false : share::wantsCommand(parser);
    const bool job = parser.isSet(printPdfOption) || routeJob;
    if (!job) {
        // Without a job the program opens its windows as it always has.
        if (parsed && (parser.isSet(perPageOption) || parser.isSet(routeOption))) {
            complain(QStringLiteral("--per-page は --print-pdf と、--route は --print-pdf、"
                                    "--export、--import、--relink のどれかといっしょに使います。"));
            return 2;
        }
        return std::nullopt;
    }
    if (!parsed) {
        complain(QStringLiteral("コマンドの指定がまちがっています: ") + parser.errorText());
        return 2;
    }
    if (parser.isSet(printPdfOption) && share::wantsCommand(parser)) {
        complain(QStringLiteral("--print-pdf、--export、--import、--relink は一度に一つだけ"
                                "指定してください。"));
        return 2;
    }
    QString route = parser.value(routeOption);
    if (!parser.isSet(routeOption)) {
        const app::RouteStart start = defaultRoute();
        if (start.routeFile.isEmpty()) {
            complain(start.problem);
            return 1;
        }
        route = start.routeFile;
    }
    // A booklet or an archive never goes over the route or a file kept with it.
    for (const QString& option : {QStringLiteral("print-pdf"), QStringLiteral("export")}) {
        const QString target = parser.isSet(option) ? parser.value(option) : QString();
        if (target.isEmpty())
            continue;
        if (const QString clash = app::routeFileClash(target, route); !clash.isEmpty()) {
            complain(clash);
            return 2;
        }
    }
    if (routeJob) {
        QTextStream out(stdout);
        QTextStream err(stderr);
        return share::runCommandLine(parser, QFileInfo(route).absoluteFilePath(), out, err);
    }
    bool number = false;
    const int perPage = parser.value(perPageOption).toInt(&number);
    if (!number || (perPage != 1 && perPage != 2 && perPage != 4)) {
        complain(QStringLiteral("--per-page には 1, 2, 4 のどれかを指定してください。"));
        return 2;
    }
    const QString out = parser.value(printPdfOption);
    if (out.isEmpty()) {
        complain(QStringLiteral("--print-pdf には書き出す PDF のファイル名を指定してください。"));
        return 2;
    }
    return printPdf(QFileInfo(out).absoluteFilePath(), perPage,
                    QFileInfo(route).absoluteFilePath());
}
