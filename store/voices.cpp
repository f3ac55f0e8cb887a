#include "store/voices.h"

#include "store/connection.h"

namespace store {
namespace {

QString quotedName(const QString& name)
{
    return QLatin1Char('"') + QString(name).replace(QLatin1String("\""), QLatin1String("\"\"")) +
           QLatin1Char('"');
}

QString voiceTable()
{
    return quotedName(QString::fromUtf16(kVoiceTable));
}

bool hasVoiceTable(Connection& cn)
{
    Recordset rs =
        cn.Query(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name = ?"),
                 {QString::fromUtf16(kVoiceTable)});
    return !rs.eof();
}

void makeVoiceTable(Connection& cn, const QString& routeTable)
{
    cn.Execute(QStringLiteral("CREATE TABLE IF NOT EXISTS ") + voiceTable() +
               QStringLiteral(" (写真 TEXT PRIMARY KEY NOT NULL, ファイル TEXT NOT NULL)"));
    // A photo path changed in place (relinking moved photos, replacing a step's photo) takes its
    // voice along; a step registered again is deleted and inserted, and keeps it by its path.
    cn.Execute(QStringLiteral("CREATE TRIGGER IF NOT EXISTS ") +
               quotedName(QStringLiteral("声_写真")) + QStringLiteral(" AFTER UPDATE OF 写真 ON ") +
               quotedName(routeTable) + QStringLiteral(" BEGIN UPDATE OR REPLACE ") + voiceTable() +
               QStringLiteral(" SET 写真 = NEW.写真 WHERE 写真 = OLD.写真; END"));
}

} // namespace

QHash<QString, QString> readVoices(Connection& cn)
{
    QHash<QString, QString> voices;
    if (!hasVoiceTable(cn))
        return voices;
    Recordset rs = cn.Query(QStringLiteral("SELECT 写真, ファイル FROM ") + voiceTable(), {});
    for (; !rs.eof(); rs.moveNext())
        voices.insert(rs.rawField(QStringLiteral("写真")), rs.rawField(QStringLiteral("ファイル")));
    return voices;
}

QString voiceOf(Connection& cn, const QString& photo)
{
    if (!hasVoiceTable(cn))
        return QString();
    Recordset rs = cn.Query(QStringLiteral("SELECT ファイル FROM ") + voiceTable() +
                                QStringLiteral(" WHERE 写真 = ?"),
                            {photo});
    return rs.rawField(QStringLiteral("ファイル"));
}

void setVoice(Connection& cn, const QString& routeTable, const QString& photo,
              const QString& stored)
{
    makeVoiceTable(cn, routeTable);
    cn.Execute(QStringLiteral("INSERT OR REPLACE INTO ") + voiceTable() +
                   QStringLiteral(" (写真, ファイル) VALUES (?, ?)"),
               {photo, stored});
}

QString orderOfPhoto(Connection& cn, const QString& routeTable, const QString& photo)
{
    Recordset rs = cn.Query(QStringLiteral("SELECT 順序 FROM ") + quotedName(routeTable) +
                                QStringLiteral(" WHERE 写真 = ? ORDER BY 順序"),
                            {photo});
    return rs.field(QStringLiteral("順序"));
}

void removeVoice(Connection& cn, const QString& photo)
{
    if (hasVoiceTable(cn))
        cn.Execute(QStringLiteral("DELETE FROM ") + voiceTable() +
                       QStringLiteral(" WHERE 写真 = ?"),
                   {photo});
}

void setVoices(const QString& connectString, const QString& routeTable,
               const QHash<QString, QString>& voices)
{
    Connection cn;
    cn.Open(connectString, routeTable);
    Transaction change(cn);
    for (auto it = voices.begin(); it != voices.end(); ++it)
        setVoice(cn, routeTable, it.key(), it.value());
    change.commit();
    cn.Close();
}

void replaceVoices(Connection& cn, const QString& routeTable, const QHash<QString, QString>& voices)
{
    if (voices.isEmpty() && !hasVoiceTable(cn))
        return;
    makeVoiceTable(cn, routeTable);
    cn.Execute(QStringLiteral("DELETE FROM ") + voiceTable(), {});
    for (auto it = voices.begin(); it != voices.end(); ++it)
        cn.Execute(QStringLiteral("INSERT OR REPLACE INTO ") + voiceTable() +
                       QStringLiteral(" (写真, ファイル) VALUES (?, ?)"),
                   {it.key().isNull() ? goalVoiceKey() : it.key(), it.value()});
}

void dropVoicesWithoutStep(Connection& cn, const QString& routeTable)
{
    if (!hasVoiceTable(cn))
        return;
    cn.Execute(QStringLiteral("DELETE FROM ") + voiceTable() +
                   QStringLiteral(" WHERE 写真 <> ? AND 写真 NOT IN (SELECT 写真 FROM ") +
                   quotedName(routeTable) + QStringLiteral(")"),
               {goalVoiceKey()});
}

} // namespace store
