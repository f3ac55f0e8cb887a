#include "records/records_export.h"

#include "platform/write_failure.h"
#include "records/messages.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace records {
namespace {

QString local(qint64 ms)
{
    return QDateTime::fromMSecsSinceEpoch(ms).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString utc(qint64 ms)
{
    return QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC).toString(Qt::ISODateWithMs);
}

QString quoted(const QString& field)
{
    QString text = field;
    text.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

void line(QByteArray& out, const QStringList& fields)
{
    QStringList q;
    q.reserve(fields.size());
    for (const QString& f : fields)
        q.append(quoted(f));
    out += q.join(QLatin1Char(',')).toUtf8();
    out += "\r\n";
}

QString kindLabel(bool walk)
{
    return walk ? QStringLiteral("実際の道") : QStringLiteral("練習");
}

// Writes `bytes` to `path` whole or not at all; throws why it could not, as `format`'s failure.
void saveWhole(const QString& path, const QByteArray& bytes, const QString& format)
{
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    const QString error = file.errorString();
    if (!written)
        file.cancelWriting();
    if (!written || !file.commit())
        throw messages::notWritten(format, path, platform::writeFailureReason(path, bytes.size()),
                                   written ? file.errorString() : error);
}

QString buttonId(const QString& arrow)
{
    if (arrow == QStringLiteral("←"))
        return QStringLiteral("left");
    if (arrow == QStringLiteral("→"))
        return QStringLiteral("right");
    return QStringLiteral("straight");
}

QString boardId(int step)
{
    return QStringLiteral("step-%1").arg(step, 3, 10, QLatin1Char('0'));
}

} // namespace

QString eventLabel(const QString& kind)
{
    if (kind == QLatin1String(store::event::kShow))
        return QStringLiteral("写真");
    if (kind == QLatin1String(store::event::kPress))
        return QStringLiteral("おした");
    if (kind == QLatin1String(store::event::kBack))
        return QStringLiteral("もどる");
    if (kind == QLatin1String(store::event::kGoal))
        return QStringLiteral("ゴール");
    if (kind == QLatin1String(store::event::kMissing))
        return QStringLiteral("写真が出ない");
    if (kind == QLatin1String(store::event::kOutage))
        return QStringLiteral("道順を読めない");
    return kind;
}

QString inputLabel(const QString& input)
{
    if (input == QLatin1String("mouse"))
        return QStringLiteral("マウス");
    if (input == QLatin1String("key"))
        return QStringLiteral("キー");
    if (input == QLatin1String("touch"))
        return QStringLiteral("タッチ");
    if (input == QLatin1String("switch"))
        return QStringLiteral("スイッチ");
    return input;
}

QByteArray csvText(const QList<store::RecordSession>& sessions)
{
    QByteArray out("\xEF\xBB\xBF");
    line(out, {QStringLiteral("回"), QStringLiteral("種類"), QStringLiteral("開始"),
               QStringLiteral("かかった時間(秒)"), QStringLiteral("ステップ数"),
               QStringLiteral("1回目で正解"), QStringLiteral("1回目で正解(%)"),
               QStringLiteral("まちがい"), QStringLiteral("もどる"), QStringLiteral("ゴール"),
               QStringLiteral("メモ"), QStringLiteral("子ども")});
    QList<SessionSummary> summaries = summarizeAll(sessions);
    for (int i = 0; i < summaries.size(); ++i) {
        const SessionSummary& s = summaries[i];
        const std::optional<double> share = s.share();
        line(out,
             {QString::number(i + 1), kindLabel(s.walk), local(s.started),
              s.walk ? QString() : QString::number(s.durationMs / 1000.0, 'f', 1),
              QString::number(s.stepsShown), QString::number(s.firstTryRight),
              share ? QString::number(*share, 'f', 0) : QString(),
              s.walk ? QString() : QString::number(s.wrong),
              s.walk ? QString() : QString::number(s.backs),
              s.walk ? QString() : (s.goal ? QStringLiteral("はい") : QStringLiteral("いいえ")),
              s.note, sessions[i].child});
    }
    out += "\r\n";
    line(out,
         {QStringLiteral("回"), QStringLiteral("時刻"), QStringLiteral("できごと"),
          QStringLiteral("ステップ"), QStringLiteral("写真"), QStringLiteral("正しい方向"),
          QStringLiteral("おした方向"), QStringLiteral("正誤"), QStringLiteral("何回目"),
          QStringLiteral("写真が出てから(ミリ秒)"), QStringLiteral("入力"),
          QStringLiteral("正解のあとの1秒"), QStringLiteral("手助け"), QStringLiteral("くわしく")});
    for (int i = 0; i < sessions.size(); ++i) {
        const store::RecordSession& s = sessions[i];
        const QString n = QString::number(i + 1);
        if (s.kind == QLatin1String(store::kWalk)) {
            for (int k = 0; k < s.steps.size(); ++k)
                line(out, {n,
                           local(s.started),
                           kindLabel(true),
                           QString::number(s.steps[k].number()),
                           QFileInfo(s.steps[k].photo).fileName(),
                           s.steps[k].direction,
                           {},
                           {},
                           {},
                           {},
                           {},
                           {},
                           helpLabel(k < s.help.size() ? s.help[k] : -1),
                           {}});
            continue;
        }
        QString photo; // the photo on screen, for the presses that follow it
        for (const store::RecordEvent& e : s.events) {
            if (!e.photo.isEmpty())
                photo = QFileInfo(e.photo).fileName();
            const bool press = e.kind == QLatin1String(store::event::kPress);
            line(out,
                 {n, local(e.at), eventLabel(e.kind), QString::number(e.step),
                  e.kind == QLatin1String(store::event::kGoal) ? QString() : photo, e.expected,
                  e.pressed,
                  press ? (e.right ? QStringLiteral("正解") : QStringLiteral("まちがい"))
                        : QString(),
                  press ? QString::number(e.attempt) : QString(),
                  press ? QString::number(e.msSincePhoto) : QString(), inputLabel(e.input),
                  press && e.waiting ? QStringLiteral("はい") : QString(), QString(), e.detail});
        }
    }
    return out;
}

void writeCsv(const QString& path, const QList<store::RecordSession>& sessions)
{
    saveWhole(path, csvText(sessions), QStringLiteral("CSV"));
}

QByteArray oblText(const QList<store::RecordSession>& sessions, const QString& routeFile)
{
    QJsonArray logs;
    for (const store::RecordSession& s : sessions) {
        QJsonArray events;
        int n = 0;
        const auto add = [&](QJsonObject event, qint64 at) {
            event.insert(QStringLiteral("id"), QStringLiteral("e%1").arg(++n));
            event.insert(QStringLiteral("timestamp"), utc(at));
            events.append(event);
        };
        if (s.kind == QLatin1String(store::kWalk)) {
            for (int k = 0; k < s.steps.size(); ++k) {
                const int help = k < s.help.size() ? s.help[k] : -1;
                add(QJsonObject{{QStringLiteral("type"), QStringLiteral("note")},
                                {QStringLiteral("text"), helpLabel(help)},
                                {QStringLiteral("board_id"), boardId(s.steps[k].number())},
                                {QStringLiteral("ext_michitan_help"), help}},
                    s.started);
            }
        }
        for (const store::RecordEvent& e : s.events) {
            QJsonObject event;
            if (e.kind == QLatin1String(store::event::kPress)) {
                event = {{QStringLiteral("type"), QStringLiteral("button")},
                         {QStringLiteral("label"), e.pressed},
                         {QStringLiteral("spoken"), false},
                         {QStringLiteral("button_id"), buttonId(e.pressed)},
                         {QStringLiteral("board_id"), boardId(e.step)},
                         {QStringLiteral("ext_michitan_expected"), e.expected},
                         {QStringLiteral("ext_michitan_right"), e.right},
                         {QStringLiteral("ext_michitan_try"), e.attempt},
                         {QStringLiteral("ext_michitan_ms_since_photo"), e.msSincePhoto},
                         {QStringLiteral("ext_michitan_input"), e.input},
                         {QStringLiteral("ext_michitan_after_right"), e.waiting}};
            } else if (e.kind == QLatin1String(store::event::kBack)) {
                event = {{QStringLiteral("type"), QStringLiteral("action")},
                         {QStringLiteral("action"), QStringLiteral(":back")},
                         {QStringLiteral("board_id"), boardId(e.step)},
                         {QStringLiteral("ext_michitan_input"), e.input}};
            } else {
                const bool goal = e.kind == QLatin1String(store::event::kGoal);
                event = {
                    {QStringLiteral("type"), QStringLiteral("note")},
                    {QStringLiteral("text"), eventLabel(e.kind)},
                    {QStringLiteral("board_id"), goal ? QStringLiteral("goal") : boardId(e.step)},
                    {QStringLiteral("ext_michitan_event"), e.kind}};
                if (!e.photo.isEmpty())
                    event.insert(QStringLiteral("ext_michitan_photo"),
                                 QFileInfo(e.photo).fileName());
                if (!e.detail.isEmpty())
                    event.insert(QStringLiteral("ext_michitan_detail"), e.detail);
            }
            add(event, e.at);
        }
        const qint64 ended =
            s.ended ? s.ended : (s.events.isEmpty() ? s.started : s.events.constLast().at);
        logs.append(QJsonObject{{QStringLiteral("id"), QStringLiteral("session-%1").arg(s.id)},
                                {QStringLiteral("type"), QStringLiteral("log")},
                                {QStringLiteral("started"), utc(s.started)},
                                {QStringLiteral("ended"), utc(ended)},
                                {QStringLiteral("events"), events},
                                {QStringLiteral("ext_michitan_kind"), s.kind},
                                {QStringLiteral("ext_michitan_note"), s.note},
                                {QStringLiteral("ext_michitan_child"), s.child},
                                {QStringLiteral("ext_michitan_cut_off"), s.ended == 0}});
    }
    const QJsonObject root{
        {QStringLiteral("format"), QStringLiteral("open-board-log-0.1")},
        {QStringLiteral("user_id"), QStringLiteral("michitan-child")},
        {QStringLiteral("source"),
         QStringLiteral("ミチタン %1").arg(QCoreApplication::applicationVersion())},
        {QStringLiteral("locale"), QStringLiteral("ja")},
        {QStringLiteral("sessions"), logs},
        {QStringLiteral("ext_michitan_route"), QFileInfo(routeFile).fileName()}};
    QByteArray out("/* NOTICE: practice records of a child, exported by ミチタン. They are "
                   "personal data: keep them private. */\n");
    out += QJsonDocument(root).toJson(QJsonDocument::Compact);
    return out;
}

void writeObl(const QString& path, const QList<store::RecordSession>& sessions,
              const QString& routeFile)
{
    saveWhole(path, oblText(sessions, routeFile), QStringLiteral("OBL"));
}

} // namespace records
