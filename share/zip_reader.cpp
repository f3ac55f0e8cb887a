#include "share/zip_reader.h"

#include "share/messages.h"
#include "share/obz_limits.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipfileinfo.h>

namespace share {
namespace {

constexpr quint32 kUnixTypeMask = 0170000;
constexpr quint32 kUnixRegular = 0100000;
constexpr quint32 kUnixDirectory = 0040000;
constexpr quint32 kDosReparsePoint = 0x400; // a link made on Windows
constexpr quint16 kEncrypted = 0x1;         // general purpose flag: the entry is encrypted

bool isLink(const QuaZipFileInfo64& info)
{
    const quint32 unixMode = info.externalAttr >> 16;
    const quint32 type = unixMode & kUnixTypeMask;
    if (info.isSymbolicLink())
        return true;
    if (type != 0 && type != kUnixRegular && type != kUnixDirectory)
        return true; // a link, device or pipe
    return (info.externalAttr & kDosReparsePoint) != 0;
}

QString sizeText(qint64 bytes)
{
    return QStringLiteral("%1 MB").arg(bytes / (1024 * 1024));
}

} // namespace

QString unsafeEntryName(const QString& name)
{
    if (name.isEmpty())
        return messages::kUnnamedEntry;
    if (name.startsWith(QLatin1Char('/')) || name.startsWith(QLatin1Char('\\')) ||
        (name.size() > 1 && name[1] == QLatin1Char(':')))
        return messages::entryAbsolute(name);
    if (name.contains(QLatin1Char('\\')))
        return messages::entryWithBackslash(name);
    for (const QChar c : name)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return messages::kControlCharacterInName;
    for (const QString& part : name.split(QLatin1Char('/'))) {
        if (part == QLatin1String(".."))
            return messages::entryOutside(name);
    }
    return QString();
}

ZipReader::ZipReader(const QString& path) : m_path(path), m_zip(std::make_unique<QuaZip>(path))
{
    if (!QFile::exists(path))
        throw failed(messages::fileNotFound(path));
    if (!zip().open(QuaZip::mdUnzip))
        throw refused(messages::kNotZip);
    checkEntries();
}

ZipReader::~ZipReader() = default;

void ZipReader::checkEntries()
{
    const QList<QuaZipFileInfo64> entries = zip().getFileInfoList64();
    if (zip().getZipError() != UNZ_OK)
        throw refused(messages::kDirectoryDamaged);
    if (entries.size() > limits::kMaxEntries)
        throw refused(messages::tooManyEntries(entries.size(), limits::kMaxEntries));
    qint64 total = 0;
    for (const QuaZipFileInfo64& entry : entries) {
        if (const QString why = unsafeEntryName(entry.name); !why.isEmpty())
            throw refused(why);
        if (entry.flags & kEncrypted)
            throw refused(messages::kEncrypted);
        if (isLink(entry))
            throw refused(messages::entryIsLink(entry.name));
        if (m_sizes.contains(entry.name))
            throw refused(messages::entryTwice(entry.name));
        const qint64 size = qint64(entry.uncompressedSize);
        if (size < 0 || size > limits::kMaxPictureBytes)
            throw refused(messages::entryTooBig(entry.name, sizeText(limits::kMaxPictureBytes)));
        if (size > limits::kRatioFloor &&
            size / qMax<qint64>(1, qint64(entry.compressedSize)) > limits::kMaxRatio)
            throw refused(messages::entryPackedTooTightly(entry.name));
        total += size;
        if (total > limits::kMaxTotalBytes)
            throw refused(messages::unpacksBeyond(sizeText(limits::kMaxTotalBytes)));
        m_sizes.insert(entry.name, size);
    }
}

qint64 ZipReader::selectEntry(const QString& name, qint64 limit)
{
    if (!contains(name))
        throw refused(messages::entryMissing(name));
    const qint64 declared = m_sizes.value(name);
    if (declared > limit)
        throw refused(messages::entryTooBig(name));
    if (!zip().setCurrentFile(name, QuaZip::csSensitive))
        throw refused(messages::entryUnreadable(name));
    return declared;
}

QByteArray ZipReader::read(const QString& name, qint64 limit)
{
    const qint64 declared = selectEntry(name, limit);
    QuaZipFile file(&zip());
    if (!file.open(QIODevice::ReadOnly))
        throw refused(messages::entryUnreadable(name));
    // One byte more than declared is enough to tell that the entry lies about its size.
    const QByteArray bytes = file.read(declared + 1);
    file.close();
    if (bytes.size() != declared || file.getZipError() != UNZ_OK)
        throw refused(messages::entryDamaged(name));
    return bytes;
}

void ZipReader::extract(const QString& name, const QString& target, qint64 limit)
{
    const qint64 declared = selectEntry(name, limit);
    QuaZipFile in(&zip());
    if (!in.open(QIODevice::ReadOnly))
        throw refused(messages::entryUnreadable(name));
    QFile out(target);
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        throw failed(messages::photoNotWrittenFolder(target));
    auto removeOut = qScopeGuard([&] {
        out.close();
        out.remove();
    });
    qint64 got = 0;
    char buffer[64 * 1024];
    for (;;) {
        const qint64 n = in.read(buffer, sizeof buffer);
        if (n < 0)
            throw refused(messages::entryDamaged(name));
        if (n == 0)
            break;
        got += n;
        if (got > declared)
            throw refused(messages::entryBiggerThanDeclared(name));
        if (out.write(buffer, n) != n)
            throw failed(messages::photoNotWrittenDisk(target));
    }
    in.close();
    if (got != declared || in.getZipError() != UNZ_OK)
        throw refused(messages::entryDamaged(name));
    if (!out.flush())
        throw failed(messages::photoNotWritten(target));
    out.close();
    removeOut.dismiss();
}

} // namespace share
