#include "app/desktop_entry.h"

#include "app/messages.h"
#include "app/route_names.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

namespace app {

namespace {

// One argument of Exec: quoted when it holds anything but plain characters, with `"`, `` ` ``,
// `$` and `\` escaped inside the quotes, and `%` doubled, as the desktop entry format says.
QString execArgument(const QString& argument)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`=%");
    QString text = argument;
    text.replace(QLatin1Char('%'), QLatin1String("%%"));
    bool plain = !text.isEmpty();
    for (QChar c : argument)
        if (reserved.contains(c) && c != QLatin1Char('%'))
            plain = false;
    if (plain)
        return text;
    QString quoted;
    for (QChar c : text) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// A value of a key in the file: the escapes of the string type.
QString value(const QString& text)
{
    QString escaped;
    for (QChar c : text) {
        if (c == QLatin1Char('\\'))
            escaped += QLatin1String("\\\\");
        else if (c == QLatin1Char('\n'))
            escaped += QLatin1String("\\n");
        else if (c == QLatin1Char('\t'))
            escaped += QLatin1String("\\t");
        else if (c == QLatin1Char('\r'))
            escaped += QLatin1String("\\r");
        else
            escaped += c;
    }
    return escaped;
}

bool write(const QString& path, const QByteArray& bytes, bool executable)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return false;
    if (executable)
        QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner |
                                        QFileDevice::ExeUser);
    return true;
}

} // namespace

QString DesktopEntryText(const QString& name, const QString& program, const QStringList& arguments)
{
    QStringList exec{execArgument(program)};
    for (const QString& argument : arguments)
        exec << execArgument(argument);
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=%1\n"
                          "GenericName=子どものスタート\n"
                          "Comment=%2\n"
                          "Exec=%3\n"
                          "Icon=michitan\n"
                          "Terminal=false\n"
                          "Categories=Education;\n")
        .arg(value(name), value(QStringLiteral("ミチタンの練習をすぐに始めます")),
             value(exec.join(QLatin1Char(' '))));
}

QStringList PlaceChildStart(const QString& child, const QString& route, const QString& program,
                            std::optional<platform::Failure>* failure)
{
    const QString name = QStringLiteral("%1のスタート（%2）").arg(child, route);
    const QByteArray text =
        DesktopEntryText(name, program,
                         {QStringLiteral("--practice"), QStringLiteral("--child"), child,
                          QStringLiteral("--route"), route})
            .toUtf8();
    // An ASCII file name (the desktop's menu wants one), the same for the same child and route.
    const QByteArray id = QCryptographicHash::hash((child + QLatin1Char('\n') + route).toUtf8(),
                                                   QCryptographicHash::Sha1)
                              .toHex()
                              .left(12);
    const QString fileName = QStringLiteral("michitan-start-%1.desktop").arg(QLatin1String(id));
    QStringList written;
    QStringList failed;
    const QString apps = QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation);
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    for (const QString& folder : {apps, desktop}) {
        const QString path = QDir(folder).filePath(fileName);
        if (!folder.isEmpty() && QDir().mkpath(folder) && write(path, text, folder == desktop))
            written << path;
        else
            failed << QDir::toNativeSeparators(path);
    }
    if (failure && !failed.isEmpty())
        *failure =
            platform::Failure(platform::Failure::Kind::Failed, messages::startNotWritten(failed));
    return written;
}

} // namespace app
