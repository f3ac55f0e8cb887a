#pragma once

#include <QString>

class QCommandLineParser;
class QTextStream;

// The records from the command line, for teachers and tests: --records-csv OUT.csv,
// --records-obl OUT.obl, --records-pdf OUT.pdf, each with [--route FILE].
namespace records {

void addCommandLineOptions(QCommandLineParser& parser);
bool wantsCommand(const QCommandLineParser& parser);
// Writes what the parsed command line asks for from the records of `routePath`; 0 when done,
// 1 with the reason in Japanese on `err`.
int runCommandLine(const QCommandLineParser& parser, const QString& routePath, QTextStream& err);

} // namespace records
