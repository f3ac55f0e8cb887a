#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// The folder the running program was started from, as a path Qt can use. A folder whose name
// is not valid UTF-8 (unpacked from a Windows zip with a Shift-JIS name, say) can't be named by
// a QString; it is then reached through a descriptor held open for this object's lifetime, so
// the object must outlive every use of path().
class ProgramFolder
{
public:
    // The folder of the running executable.
    ProgramFolder();
    // The folder named by `nativePath`, the bytes the operating system uses.
    explicit ProgramFolder(const QByteArray& nativePath);
    ~ProgramFolder();
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    // The folder, without a trailing separator (except "/" itself); empty when it can't be
    // determined. Never another folder.
    QString path() const { return m_path; }

private:
    void resolve(const QByteArray& nativePath);

    int m_descriptor = -1;
    QString m_path;
};

// A path that this and any later program can open: `path` itself, or for a path reached through
// a descriptor (/proc/self/fd/N/..., as ProgramFolder gives for a non-UTF-8 name) the real path
// it stands for when that can be written as text. Empty when it can't: such a path must never
// be stored, since it means nothing to another process.
QString lastingPath(const QString& path);

} // namespace platform
