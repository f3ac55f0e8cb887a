#include "platform/program_folder.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <limits.h>
#include <unistd.h>
#endif

namespace platform {

namespace {

// The executable's folder as the operating system names it, byte for byte.
QByteArray executableFolder()
{
#ifdef Q_OS_LINUX
    QByteArray target(PATH_MAX, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", target.data(), target.size());
    if (length > 0 && length < target.size()) {
        target.truncate(length);
        const qsizetype slash = target.lastIndexOf('/');
        if (slash == 0)
            return QByteArrayLiteral("/");
        if (slash > 0)
            return target.left(slash);
    }
    return {};
#else
    // Elsewhere Qt reads the executable's path with the system's wide-character functions.
    return QFile::encodeName(QCoreApplication::applicationDirPath());
#endif
}

} // namespace

ProgramFolder::ProgramFolder()
{
    resolve(executableFolder());
}

ProgramFolder::ProgramFolder(const QByteArray& nativePath)
{
    resolve(nativePath);
}

ProgramFolder::~ProgramFolder()
{
#ifdef Q_OS_LINUX
    if (m_descriptor >= 0)
        ::close(m_descriptor);
#endif
}

void ProgramFolder::resolve(const QByteArray& nativePath)
{
    if (nativePath.isEmpty())
        return;
    const QString name = QFile::decodeName(nativePath);
    if (QFile::encodeName(name) == nativePath) {
        if (QFileInfo(name).isDir())
            m_path = name;
        return;
    }
#ifdef Q_OS_LINUX
    // The name does not survive the trip through a QString: name the folder by a descriptor of
    // our own instead, which every file function (SQLite and the media backend included)
    // follows to the real folder.
    m_descriptor = ::open(nativePath.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (m_descriptor < 0)
        return;
    const QString alias = QStringLiteral("/proc/self/fd/%1").arg(m_descriptor);
    if (QFileInfo(alias).isDir()) {
        m_path = alias;
    } else {
        ::close(m_descriptor);
        m_descriptor = -1;
    }
#endif
}

QString lastingPath(const QString& path)
{
    static const QString kAlias = QStringLiteral("/proc/self/fd/");
    if (!path.startsWith(kAlias))
        return path;
    const qsizetype slash = path.indexOf(QLatin1Char('/'), kAlias.size());
    const QString descriptor = path.mid(0, slash < 0 ? path.size() : slash);
    const QString rest = slash < 0 ? QString() : path.mid(slash);
#ifdef Q_OS_LINUX
    const QByteArray link = QFile::encodeName(descriptor);
    QByteArray target(PATH_MAX, '\0');
    const ssize_t length = ::readlink(link.constData(), target.data(), target.size());
    if (length <= 0 || length >= target.size())
        return QString();
    target.truncate(length);
    const QString real = QFile::decodeName(target);
    if (QFile::encodeName(real) != target || !real.startsWith(QLatin1Char('/')))
        return QString();
    return real + rest;
#else
    return QString();
#endif
}

} // namespace platform
