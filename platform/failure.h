#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

class QWidget;

namespace platform {

class Dialogs;

// A cause and what the adult can do about it, as a catalogue of messages keeps them.
struct Reason
{
    QString cause;
    QString nextStep;
};

// Every failure the program reports to the adult, whatever part of it failed: what went wrong,
// what to do next and, when there is one, the file concerned and the words of the library that
// failed. Windows show it with tell(), the command line prints it on standard error; both show
// text(), so a failure reads the same wherever it surfaces.
class Failure : public std::exception
{
public:
    enum class Kind {
        Failed,         // anything not named below
        Cancelled,      // the adult stopped the work
        Usage,          // a command line the program does not understand
        Refused,        // an archive the program does not read, or one damaged or unsafe
        NoFolder,       // a file can't be made: its folder is missing or not writable
        Missing,        // the file is not there
        IsDirectory,    // a folder stands where a file should be
        EmptyFile,      // the file has zero bytes
        NotRouteFile,   // another format, or a corrupt route file
        NoTable,        // an SQLite file without the route table
        WrongColumns,   // the route table has other columns
        Damaged,        // a file of the program's own (the records) is corrupt
        Locked,         // another program held the file past the time-out
        ReadOnly,       // the file can be read but not written
        ReadOnlyFolder, // the folder refuses the files written beside the file while it changes
        DiskFull,
        TooManySteps, // more rows than three-digit numbers can hold
    };

    // `cause` says in plain words what happened, `nextStep` what the adult can do about it;
    // `detail`, if any, holds the failing library's own words.
    explicit Failure(Kind kind, QString cause, QString nextStep = {}, QString detail = {});
    Failure(Kind kind, const Reason& reason, QString detail = {});

    // The first line, saying what could not be done; the cause then follows it as the reason.
    Failure& under(QString heading);
    // The file the failure concerns.
    Failure& about(QString file);
    // What the failure left as it was ("道順は変更されていません。").
    Failure& leaving(QString unchanged);
    // A copy under another heading that says all there is to say of what is unchanged.
    Failure headed(QString heading) const;

    Kind kind() const { return m_kind; }
    const QString& cause() const { return m_cause; }
    const QString& nextStep() const { return m_nextStep; }
    const QString& detail() const { return m_detail; }
    const QString& heading() const { return m_heading; }
    const QString& file() const { return m_file; }
    const QString& unchanged() const { return m_unchanged; }
    // The cause with the next step, as one reads them together.
    QString reason() const { return m_cause + m_nextStep; }

    // The whole message, in one shape: the heading, the reason, the file, what is unchanged and
    // the library's words, each as a paragraph of its own and only when there is one.
    QString text() const;
    const char* what() const noexcept override;

private:
    void compose();

    Kind m_kind;
    QString m_cause;
    QString m_nextStep;
    QString m_detail;
    QString m_heading;
    QString m_file;
    QString m_unchanged;
    QByteArray m_what;
};

// Shows `failure` over `parent` through the dialog layer.
void tell(Dialogs& dialogs, QWidget* parent, const Failure& failure);

} // namespace platform
