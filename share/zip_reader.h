#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <memory>

class QuaZip;

namespace share {

// A zip archive opened for reading, whose every entry has been checked before anything is taken
// out of it: a relative name that stays inside the archive, no link, and sizes within the limits
// (entry count, each entry, all entries together, packing ratio). The checks trust nothing the
// archive declares: reading stops as soon as an entry gives more than it declared.
class ZipReader
{
public:
    // Opens and checks `path`; throws platform::Failure (Refused) with what is wrong.
    explicit ZipReader(const QString& path);
    ~ZipReader();

    bool contains(const QString& name) const { return m_sizes.contains(name); }
    // The whole entry `name`, at most `limit` bytes. Throws platform::Failure (Refused).
    QByteArray read(const QString& name, qint64 limit);
    // Writes the entry `name` to the new file `target` (never over an existing one). Throws
    // platform::Failure: Refused for a bad entry, Failed when the file can't be written.
    void extract(const QString& name, const QString& target, qint64 limit);

private:
    // Makes entry `name` the zip's current one after checking that it is listed and that its
    // declared size is within `limit`; returns that size. Throws platform::Failure.
    qint64 selectEntry(const QString& name, qint64 limit);
    void checkEntries();
    QuaZip& zip() { return *m_zip; }

    QString m_path;
    std::unique_ptr<QuaZip> m_zip;
    QHash<QString, qint64> m_sizes; // declared unpacked size of each entry
};

// Why `name` is not a safe entry name, or an empty string when it is.
QString unsafeEntryName(const QString& name);

} // namespace share
