#pragma once

#include <QString>
#include <stdexcept>

namespace share {

// A failure while writing, reading or mending a route, with a message a parent can read.
class ShareError : public std::runtime_error
{
public:
    enum class Kind {
        Refused,   // the archive is not one we read, or is damaged or unsafe
        Failed,    // a file could not be read or written
        Cancelled, // the user stopped the work
    };

    ShareError(Kind kind, QString message);

    Kind kind() const { return m_kind; }
    const QString& message() const { return m_message; }

private:
    Kind m_kind;
    QString m_message;
};

// A refused archive: `why` says what is wrong with it; the message adds that nothing changed.
ShareError refused(const QString& why);
// A refused archive that ミチタン wrote itself (it carries our manifest) but that is damaged or
// holds what we can't take: the advice is to write it again, not to find another file.
ShareError refusedOurs(const QString& why);
ShareError failed(const QString& why);

} // namespace share
