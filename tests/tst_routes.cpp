// Several routes in one folder: names a parent types becoming safe file names, a first start
// with only ADO_LANE.mdb as before, choosing a route switching everything to it and being
// remembered, and removing a route keeping its file.
#include "app/desktop_entry.h"
#include "app/household.h"
#include "app/m_lane.h"
#include "app/messages.h"
#include "app/practice_settings.h"
#include "app/practice_settings_dialog.h"
#include "app/route_book.h"
#include "app/route_chooser.h"
#include "app/route_names.h"
#include "app/settings_file.h"
#include "share/import_choice.h"
#include "share/obz_export.h"
#include "share/share_commands.h"
#include "support/route_fixture.h"
#include "support/scripted_dialogs.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QProcess>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// Reads an Exec value back into arguments as a desktop would: the string escapes of the file,
// then the quoting of Exec, then "%%" as "%".
QStringList unquoteExec(const QString& value)
{
    QString text;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value.at(i) == QLatin1Char('\\') && i + 1 < value.size()) {
            const QChar next = value.at(++i);
            text += next == QLatin1Char('n') ? QChar(QLatin1Char('\n')) : next;
        } else {
            text += value.at(i);
        }
    }
    QStringList arguments;
    QString current;
    bool quoted = false;
    bool any = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted && c == QLatin1Char('\\') && i + 1 < text.size()) {
            current += text.at(++i);
        } else if (c == QLatin1Char('"')) {
            quoted = !quoted;
            any = true;
        } else if (c == QLatin1Char(' ') && !quoted) {
            if (any || !current.isEmpty())
                arguments << current;
            current.clear();
            any = false;
        } else {
            current += c;
        }
    }
    if (any || !current.isEmpty())
        arguments << current;
    for (QString& argument : arguments)
        argument.replace(QLatin1String("%%"), QLatin1String("%"));
    return arguments;
}

// What the adult is told of a change to the route folder; empty when it was done.
QString told(const app::BookResult& result)
{
    return result.failure ? result.failure->text() : QString();
}

// A change to the route folder `folder`.
using BookChange = app::BookResult (*)(const QString& folder);
Q_DECLARE_METATYPE(BookChange)

class TstRoutes : public QObject
{
    Q_OBJECT
private slots:
    void safeFileNames_data();
    void safeFileNames();
    void firstStartWithTheDefaultRouteAlone();
    void chosenRouteIsUsedAndRemembered();
    void childStartsOnARouteOfTheirOwn();
    void childChoosesWhenTheVoicePlays();
    void removedRouteIsKeptAsADatedCopy();
    void refusalReadsAsOneSentence_data();
    void refusalReadsAsOneSentence();
    void routeIsFoundByNameOrPath();
    void importMakesANewRoute();
    void desktopStartIsAValidEntry_data();
    void desktopStartIsAValidEntry();
};

void TstRoutes::safeFileNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("file");
    QTest::newRow("japanese as it is") << QStringLiteral("行き") << QStringLiteral("行き");
    QTest::newRow("slash is no folder")
        << QStringLiteral("行き/帰り") << QStringLiteral("行き_帰り");
    QTest::newRow("backslash and colon") << QStringLiteral("C:\\道") << QStringLiteral("C__道");
    QTest::newRow("windows forbidden")
        << QStringLiteral("a*b?c\"d<e>f|g") << QStringLiteral("a_b_c_d_e_f_g");
    QTest::newRow("parent folder") << QStringLiteral("..") << QStringLiteral("道順");
    QTest::newRow("hidden file") << QStringLiteral(".行き") << QStringLiteral("行き");
    QTest::newRow("trailing dot and blank") << QStringLiteral("帰り. ") << QStringLiteral("帰り");
    QTest::newRow("reserved device") << QStringLiteral("con") << QStringLiteral("_con");
    QTest::newRow("reserved with extension")
        << QStringLiteral("NUL.txt") << QStringLiteral("_NUL.txt");
    QTest::newRow("reserved port") << QStringLiteral("com1") << QStringLiteral("_com1");
    QTest::newRow("not reserved") << QStringLiteral("COM10") << QStringLiteral("COM10");
    QTest::newRow("control characters") << QStringLiteral("a\tb\nc") << QStringLiteral("a_b_c");
    QTest::newRow("only blanks") << QStringLiteral("   ") << QStringLiteral("道順");
    QTest::newRow("only separators") << QStringLiteral("///") << QStringLiteral("道順");
    QTest::newRow("full-width slash kept")
        << QStringLiteral("行き／帰り") << QStringLiteral("行き／帰り");
    QTest::newRow("decomposed kana composed")
        << QStringLiteral("か\u3099っこう") << QStringLiteral("がっこう");
}

void TstRoutes::safeFileNames()
{
    QFETCH(QString, name);
    QFETCH(QString, file);
    QCOMPARE(app::SafeFileBase(name), file);
}

void TstRoutes::firstStartWithTheDefaultRouteAlone()
{
    RouteFixture route;
    route.createSteps(3);
    const QString defaultRoute = route.dbPath();
    // Long names stay whole characters within the limit.
    const QString longName = app::SafeFileBase(QString(200, QChar(0x9053)));
    QVERIFY(longName.toUtf8().size() <= 120);
    QCOMPARE(longName, QString(40, QChar(0x9053)));

    const app::StartChoice start = app::ChooseStart(route.dir());
    QCOMPARE(start.routeFile, defaultRoute);
    QVERIFY(start.child.isEmpty());
    QVERIFY(start.notice.isEmpty());
    const QList<app::RouteInfo> routes = app::ListRoutes(route.dir(), {});
    QCOMPARE(routes.size(), 1);
    QCOMPARE(routes.first().name, QStringLiteral("いつもの道順"));

    // The menu shows no status bar, and looking writes no settings file.
    ScriptedDialogs dialogs;
    QWidget window;
    m_lane::UseRoute(start.routeFile);
    m_lane::CHILD.clear();
    app::Household household(dialogs, route.dir(), QStringLiteral("michitan"), &window);
    QVERIFY(household.statusText().isEmpty());
    QVERIFY(!QFile::exists(app::SettingsFilePath(route.dir())));
    QVERIFY(dialogs.messages.isEmpty());
}

void TstRoutes::chosenRouteIsUsedAndRemembered()
{
    RouteFixture route;
    route.createSteps(2);
    const QString defaultRoute = route.dbPath();
    m_lane::UseRoute(defaultRoute);
    m_lane::CHILD.clear();
    ScriptedDialogs dialogs;
    QWidget window;
    app::Household household(dialogs, route.dir(), QStringLiteral("michitan"), &window);
    QSignalSpy changed(&household, &app::Household::routeChanged);

    // A new route as a copy of the one in use: it becomes the route in use.
    dialogs.inputs = {QStringLiteral("行き")};
    dialogs.answers = {platform::MsgResult::Ok};
    household.newRoute();
    const QString iki = QDir(route.dir()).filePath(QStringLiteral("行き.mdb"));
    QCOMPARE(m_lane::DB_PATH, iki);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(household.statusText(), app::messages::statusRoute(QStringLiteral("行き")));
    QCOMPARE(app::ChooseStart(route.dir()).routeFile, iki);

    // The same name again is refused, whatever its case or blanks.
    dialogs.inputs = {QStringLiteral(" 行き ")};
    dialogs.answers = {platform::MsgResult::Cancel};
    household.newRoute();
    const platform::Reason taken = app::messages::routeNameTaken(QStringLiteral(" 行き "));
    QCOMPARE(dialogs.messages.last(), taken.cause + taken.nextStep);
    QCOMPARE(changed.size(), 1);

    // Choosing the default route in the list switches back to it.
    dialogs.onDialog = [&](QDialog& dialog) {
        auto* list = dialog.findChild<QListWidget*>(QStringLiteral("routeList"));
        if (!list || list->count() != 2)
            return int(QDialog::Rejected);
        list->setCurrentRow(0);
        return int(QDialog::Accepted);
    };
    household.chooseRoute();
    QCOMPARE(m_lane::DB_PATH, defaultRoute);
    QCOMPARE(changed.size(), 2);
    QCOMPARE(household.statusText(), app::messages::statusRoute(QStringLiteral("いつもの道順")));
    QCOMPARE(app::ChooseStart(route.dir()).routeFile, defaultRoute);
}

void TstRoutes::childStartsOnARouteOfTheirOwn()
{
    RouteFixture route;
    route.createSteps(1);
    const QString defaultRoute = route.dbPath();
    const app::BookResult iki = app::CreateRoute(route.dir(), QStringLiteral("行き"));
    QVERIFY(app::CreateRoute(route.dir(), QStringLiteral("帰り")).ok());
    QVERIFY(app::AddChild(route.dir(), QStringLiteral("たろう")).ok());
    QVERIFY(app::AddChild(route.dir(), QStringLiteral("はなこ")).ok());
    QVERIFY(app::SetChildRoutes(route.dir(), QStringLiteral("たろう"), {QStringLiteral("行き.mdb")})
                .ok());
    m_lane::UseRoute(defaultRoute);
    m_lane::CHILD.clear();
    ScriptedDialogs dialogs;
    QWidget window;
    app::Household household(dialogs, route.dir(), QStringLiteral("michitan"), &window);

    household.useChild(QStringLiteral("たろう"));
    QCOMPARE(m_lane::DB_PATH, iki.path);
    QCOMPARE(household.statusText(), app::messages::statusRoute(QStringLiteral("行き")) +
                                         app::messages::statusChild(QStringLiteral("たろう")));
    // Only the child's own routes are offered.
    int offered = -1;
    dialogs.onDialog = [&](QDialog& dialog) {
        offered = dialog.findChild<QListWidget*>(QStringLiteral("routeList"))->count();
        return int(QDialog::Rejected);
    };
    household.chooseRoute();
    QCOMPARE(offered, 1);
    // A child without routes of their own keeps the route in use and is offered them all.
    household.useChild(QStringLiteral("はなこ"));
    QCOMPARE(m_lane::DB_PATH, iki.path);
    household.chooseRoute();
    QCOMPARE(offered, 3);
    const app::StartChoice start = app::ChooseStart(route.dir());
    QCOMPARE(start.child, QStringLiteral("はなこ"));
    QCOMPARE(start.routeFile, iki.path);
    m_lane::CHILD.clear();
}

void TstRoutes::childChoosesWhenTheVoicePlays()
{
    RouteFixture route;
    route.createSteps(1);
    QVERIFY(app::AddChild(route.dir(), QStringLiteral("たろう")).ok());
    app::PracticeSettings forRoute;
    forRoute.voice = app::VoiceMode::Always;
    QVERIFY(app::SavePracticeSettings(route.dbPath(), {}, forRoute));
    m_lane::UseRoute(route.dbPath());
    ScriptedDialogs dialogs;
    QWidget window;
    app::Household household(dialogs, route.dir(), QStringLiteral("michitan"), &window);
    household.useChild(QStringLiteral("たろう"));

    auto choose = [&](int index) {
        dialogs.onDialog = [index](QDialog& dialog) {
            static_cast<app::PracticeSettingsDialog&>(dialog).voiceBox()->setCurrentIndex(index);
            return int(QDialog::Accepted);
        };
        household.editPracticeSettings();
        return app::LoadPracticeSettings(route.dbPath(), QStringLiteral("たろう")).voice;
    };
    QCOMPARE(choose(2), std::optional(app::VoiceMode::OnlyAfterWrong));
    QCOMPARE(app::LoadPracticeSettings(route.dbPath()).voice, forRoute.voice);
    // The first choice gives the child the route's own setting back.
    QCOMPARE(choose(0), forRoute.voice);
    m_lane::CHILD.clear();
}

void TstRoutes::removedRouteIsKeptAsADatedCopy()
{
    RouteFixture route;
    route.createSteps(1);
    const QString defaultRoute = route.dbPath();
    const app::BookResult made = app::CreateRoute(route.dir(), QStringLiteral("帰り"));
    QVERIFY2(made.ok(), qPrintable(told(made)));
    QVERIFY(app::AddChild(route.dir(), QStringLiteral("はなこ")).ok());
    QVERIFY(app::SetChildRoutes(route.dir(), QStringLiteral("はなこ"), {QStringLiteral("帰り.mdb")})
                .ok());
    QVERIFY(app::RememberInUse(route.dir(), made.path, QStringLiteral("はなこ")).ok());

    const app::BookResult removed = app::RemoveRoute(route.dir(), QStringLiteral("帰り.mdb"));
    QVERIFY2(removed.ok(), qPrintable(told(removed)));
    QVERIFY(!QFile::exists(made.path));
    QVERIFY(QFile::exists(removed.path));
    QVERIFY(removed.path.startsWith(made.path + QLatin1Char('.')));
    const app::SettingsData data = app::LoadSettingsFile(route.dir()).data;
    QVERIFY(data.child(QStringLiteral("はなこ"))->routes.isEmpty());
    QCOMPARE(app::ChooseStart(route.dir()).routeFile, defaultRoute);
    QCOMPARE(app::ListRoutes(route.dir(), data).size(), 1);
    // The default route is never removed.
    QVERIFY(!app::RemoveRoute(route.dir(), app::DefaultRouteFile()).ok());
    QVERIFY(QFile::exists(defaultRoute));
}

void TstRoutes::refusalReadsAsOneSentence_data()
{
    QTest::addColumn<BookChange>("change");
    QTest::addColumn<QString>("said");
    QTest::newRow("route without a name") << BookChange([](const QString& folder) {
        return app::CreateRoute(folder, QStringLiteral("  "));
    }) << QStringLiteral("道順の名前を入れてください。");
    QTest::newRow("route name taken") << BookChange([](const QString& folder) {
        return app::CreateRoute(folder, QStringLiteral("いつもの道順"));
    }) << QStringLiteral("「いつもの道順」という道順はもうあります。ほかの名前にしてください。");
    QTest::newRow("default route removed")
        << BookChange([](const QString& folder) {
               return app::RemoveRoute(folder, app::DefaultRouteFile());
           })
        << QStringLiteral("いつもの道順は消せません。名前を変えたり、中の順序を"
                          "作りなおしたりして使ってください。");
    QTest::newRow("child without a name")
        << BookChange([](const QString& folder) { return app::AddChild(folder, {}); })
        << QStringLiteral("子どもの名前（ニックネーム）を入れてください。");
    QTest::newRow("child name taken") << BookChange([](const QString& folder) {
        app::AddChild(folder, QStringLiteral("たろう"));
        return app::AddChild(folder, QStringLiteral(" たろう "));
    }) << QStringLiteral("「 たろう 」はもういます。ほかの名前にしてください。");
    QTest::newRow("child not registered") << BookChange([](const QString& folder) {
        return app::RenameChild(folder, QStringLiteral("じろう"), QStringLiteral("さぶろう"));
    }) << QStringLiteral("「じろう」は登録されていません。");
}

// A refused change is a failure that reads as the one sentence the adult has always read: no
// heading, no file, nothing changed.
void TstRoutes::refusalReadsAsOneSentence()
{
    QFETCH(BookChange, change);
    QFETCH(QString, said);
    RouteFixture route;
    route.createSteps(1);
    const app::BookResult result = change(route.dir());
    QVERIFY(!result.ok());
    QCOMPARE(result.failure->text(), said);
    QVERIFY(result.failure->heading().isEmpty());
    QCOMPARE(result.path, QString());
    QCOMPARE(app::ListRoutes(route.dir(), app::LoadSettingsFile(route.dir()).data).size(), 1);
}

void TstRoutes::routeIsFoundByNameOrPath()
{
    RouteFixture route;
    route.createSteps(1);
    const QString defaultRoute = route.dbPath();
    const app::BookResult made = app::CreateRoute(route.dir(), QStringLiteral("学校/行き"));
    QVERIFY(made.ok());
    std::optional<platform::Failure> failure;
    QCOMPARE(app::ResolveRoute(route.dir(), QStringLiteral("学校/行き"), &failure), made.path);
    QCOMPARE(app::ResolveRoute(route.dir(), QStringLiteral("いつもの道順"), &failure),
             defaultRoute);
    QCOMPARE(app::ResolveRoute(route.dir(), made.path, &failure), made.path);
    QVERIFY(!failure);
    QVERIFY(app::ResolveRoute(route.dir(), QStringLiteral("帰り"), &failure).isEmpty());
    QVERIFY(failure);
    QVERIFY(failure->text().contains(QStringLiteral("学校/行き")));
}

void TstRoutes::importMakesANewRoute()
{
    RouteFixture route;
    const QString defaultRoute = route.dbPath();
    route.create({{QStringLiteral("001"), route.makeImage(QStringLiteral("a.png"), {64, 48}),
                   QStringLiteral("↑")},
                  {QStringLiteral("002"), route.makeImage(QStringLiteral("b.png"), {64, 48}),
                   QStringLiteral("→")}});
    const QList<RouteRow> before = route.rows();
    const QString archive = QDir(route.dir()).filePath(QStringLiteral("帰り.obz"));
    share::exportRoute(defaultRoute, archive);

    ScriptedDialogs dialogs;
    dialogs.files = {archive};
    dialogs.folders = {route.dir()};
    dialogs.onDialog = [](QDialog& dialog) {
        auto* choice = qobject_cast<share::ImportChoice*>(&dialog);
        if (!choice)
            return int(QDialog::Rejected);
        choice->newRouteButton()->setChecked(true); // named after the archive: 帰り
        return int(QDialog::Accepted);
    };
    int changed = 0;
    share::importRouteCommand(dialogs, nullptr, [&] { ++changed; });
    QCOMPARE(changed, 1);
    // Nothing asked about replacing, the route in use untouched, the new one in use.
    QCOMPARE(dialogs.buttons.count(platform::MsgButtons::OkCancel), 0);
    const QString kaeri = QDir(route.dir()).filePath(QStringLiteral("帰り.mdb"));
    QCOMPARE(m_lane::DB_PATH, kaeri);
    QCOMPARE(app::ChooseStart(route.dir()).routeFile, kaeri);
    const QList<RouteRow> imported = route.rows();
    QCOMPARE(imported.size(), 2);
    QCOMPARE(imported[1].direction, QStringLiteral("→"));
    m_lane::UseRoute(defaultRoute);
    QCOMPARE(route.rows(), before);
    QCOMPARE(app::ListRoutes(route.dir(), app::LoadSettingsFile(route.dir()).data).size(), 2);
}

void TstRoutes::desktopStartIsAValidEntry_data()
{
    QTest::addColumn<QString>("child");
    QTest::addColumn<QString>("route");
    QTest::newRow("japanese names") << QStringLiteral("たろう") << QStringLiteral("行き");
    QTest::newRow("blank in a name") << QStringLiteral("Tom Lee") << QStringLiteral("行き 2");
    QTest::newRow("quote and dollar") << QStringLiteral("\"$HOME\"") << QStringLiteral("a`b`");
    QTest::newRow("backslash and percent") << QStringLiteral("a\\b") << QStringLiteral("100%");
}

void TstRoutes::desktopStartIsAValidEntry()
{
    QFETCH(QString, child);
    QFETCH(QString, route);
    const QString validator =
        QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (validator.isEmpty())
        QSKIP("desktop-file-validate is not installed");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("start.desktop"));
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(app::DesktopEntryText(child + QStringLiteral("のスタート"),
                                         QStringLiteral("/usr/bin/michitan"),
                                         {QStringLiteral("--practice"), QStringLiteral("--child"),
                                          child, QStringLiteral("--route"), route})
                       .toUtf8());
    }
    QProcess check;
    check.start(validator, {path});
    QVERIFY(check.waitForFinished());
    const QByteArray said = check.readAllStandardOutput() + check.readAllStandardError();
    QVERIFY2(check.exitCode() == 0 && said.isEmpty(), said.constData());
    // The Exec line gives the program back exactly these arguments.
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QString exec;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n')))
        if (line.startsWith(QLatin1String("Exec=")))
            exec = line.mid(5);
    QCOMPARE(unquoteExec(exec),
             (QStringList{QStringLiteral("/usr/bin/michitan"), QStringLiteral("--practice"),
                          QStringLiteral("--child"), child, QStringLiteral("--route"), route}));
}

QTEST_MAIN(TstRoutes)
#include "tst_routes.moc"
