#include "records/records_cli.h"

#include "platform/failure.h"
#include "records/messages.h"
#include "records/records_export.h"
#include "records/records_print.h"
#include "records/records_report.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace records {
namespace {

const QString kCsv = QStringLiteral("records-csv");
const QString kObl = QStringLiteral("records-obl");
const QString kPdf = QStringLiteral("records-pdf");

} // namespace

void addCommandLineOptions(QCommandLineParser& parser)
{
    parser.addOption({kCsv, messages::kHelpCsv, QStringLiteral("OUT.csv")});
    parser.addOption({kObl, messages::kHelpObl, QStringLiteral("OUT.obl")});
    parser.addOption({kPdf, messages::kHelpPdf, QStringLiteral("OUT.pdf")});
}

bool wantsCommand(const QCommandLineParser& parser)
{
    return parser.isSet(kCsv) || parser.isSet(kObl) || parser.isSet(kPdf);
}

int runCommandLine(const QCommandLineParser& parser, const QString& routePath, QTextStream& err)
{
    if (!QFileInfo(routePath).isFile()) {
        err << messages::noRouteFile(QDir::toNativeSeparators(routePath)).text() << Qt::endl;
        return 1;
    }
    RecordsReport report;
    try {
        report = loadReport(routePath);
    } catch (const platform::Failure& e) {
        err << e.text() << Qt::endl;
        return 1;
    }
    int code = 0;
    const auto write = [&](const QString& option, const auto& writer) {
        if (!parser.isSet(option))
            return;
        try {
            writer(QFileInfo(parser.value(option)).absoluteFilePath());
        } catch (const platform::Failure& e) {
            err << e.text() << Qt::endl;
            code = 1;
        }
    };
    write(kCsv, [&](const QString& out) { writeCsv(out, report.sessions); });
    write(kObl, [&](const QString& out) { writeObl(out, report.sessions, routePath); });
    write(kPdf, [&](const QString& out) { writeRecordsPdf(out, report); });
    return code;
}

} // namespace records
