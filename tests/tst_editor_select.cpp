// Filling the edit bar from a list row and from the open-file dialog, and showing the photo.
#include "app/messages.h"
#include "edit/frm_lane_make.h"
#include "edit/step_grid.h"
#include "store/adodc.h"
#include "support/editor_harness.h"
#include "support/route_fixture.h"
#include "support/scripted_dialogs.h"
#include "support/texts.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <memory>

namespace {

struct Box
{
    float left, top, width, height;
};

Box boxOf(const platform::TwipGeometry& g)
{
    return {g.Left(), g.Top(), g.Width(), g.Height()};
}

} // namespace

class TestEditorSelect : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<RouteFixture> fx;
    ScriptedDialogs dialogs;

    // Makes list row `row` current, as a click does, and runs the selection handler.
    void select(frm_lane_make& w, int row)
    {
        w.grid()->setCurrentIndex(w.Adodc1->index(row, 0));
        int cancel = 0;
        w.DataGrid1_SelChange(cancel);
        QCOMPARE(cancel, 0);
    }

    void compareBox(const platform::TwipGeometry& g, Box expected)
    {
        QCOMPARE(g.Left(), expected.left);
        QCOMPARE(g.Top(), expected.top);
        QCOMPARE(g.Width(), expected.width);
        QCOMPARE(g.Height(), expected.height);
    }

    QString writeFile(const QString& name, const QByteArray& content)
    {
        const QString path = QDir(fx->dir()).filePath(name);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(content);
        return path;
    }

private slots:
    void init()
    {
        fx = std::make_unique<RouteFixture>();
        dialogs = ScriptedDialogs();
    }

    void selectionFillsEditBar()
    {
        const QString photo = fx->makeImage(QStringLiteral("corner.png"), QSize(320, 240));
        fx->create({{QStringLiteral("001"), QStringLiteral("a.png"), kUp},
                    {QStringLiteral("002"), QStringLiteral("b.png"), kUp},
                    {QStringLiteral("003 "), QStringLiteral("  ") + photo + QStringLiteral(" "),
                     QStringLiteral(" → ")}});
        const auto w = openEditor(dialogs);
        select(*w, 2);
        QCOMPARE(w->text2()->text(), QStringLiteral("003"));
        QCOMPARE(w->text1()->text(), photo);
        QVERIFY(w->option1(1)->isChecked());
        QCOMPARE(w->photo()->pixmap().size(), QSize(320, 240));
        compareBox(w->Picture1, {5280, 956.25f, 4800, 3600});
        QVERIFY(dialogs.messages.isEmpty());
    }

    void direction_data()
    {
        QTest::addColumn<QString>("arrow");
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        QTest::newRow("up") << "↑" << 2 << 0;
        QTest::newRow("right") << "→" << 0 << 1;
        QTest::newRow("left") << "←" << 0 << 2;
        QTest::newRow("empty keeps the previous") << "" << 1 << 1;
        QTest::newRow("unknown arrow keeps the previous") << "↓" << 2 << 2;
        QTest::newRow("two arrows keep the previous") << "↑→" << 1 << 1;
    }

    void direction()
    {
        QFETCH(QString, arrow);
        QFETCH(int, before);
        QFETCH(int, after);
        fx->create({{QStringLiteral("001"), QString(), arrow}});
        const auto w = openEditor(dialogs);
        w->option1(before)->setChecked(true);
        select(*w, 0);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(w->option1(i)->isChecked(), i == after);
    }

    // Both ways of showing a photo place it alike: natural size, centred, halves kept; a photo
    // larger than the photo area (1024 x 367.5 pixels) is shrunk to be seen whole.
    void photoCentred_data()
    {
        QTest::addColumn<QSize>("pixels");
        QTest::addColumn<QSize>("shown");
        QTest::addColumn<float>("left");
        QTest::addColumn<float>("top");
        QTest::addColumn<bool>("fromDialog");
        for (bool fromDialog : {false, true}) {
            const char* via = fromDialog ? "dialog" : "row";
            QTest::addRow("smaller than the area, %s", via)
                << QSize(320, 240) << QSize(320, 240) << 5280.0f << 956.25f << fromDialog;
            QTest::addRow("odd size, %s", via)
                << QSize(321, 241) << QSize(321, 241) << 5272.5f << 948.75f << fromDialog;
            QTest::addRow("larger than the area, %s", via)
                << QSize(1200, 500) << QSize(881, 367) << 1072.5f << 3.75f << fromDialog;
            QTest::addRow("wider than the screen, %s", via)
                << QSize(2048, 300) << QSize(1024, 150) << 0.0f << 1631.25f << fromDialog;
        }
    }

    void photoCentred()
    {
        QFETCH(QSize, pixels);
        QFETCH(QSize, shown);
        QFETCH(float, left);
        QFETCH(float, top);
        QFETCH(bool, fromDialog);
        const QString photo = fx->makeImage(QStringLiteral("photo.jpg"), pixels, "JPEG");
        fx->create({{QStringLiteral("001"), photo, kUp}});
        const auto w = openEditor(dialogs);
        if (fromDialog) {
            dialogs.files.push_back(photo);
            w->Command3_Click();
        } else {
            select(*w, 0);
        }
        compareBox(w->Picture1, {left, top, shown.width() * 15.0f, shown.height() * 15.0f});
        QCOMPARE(w->photo()->pixmap().size(), shown);
        QCOMPARE(w->photo()->pos(), QPoint(qRound(left / 15), qRound(top / 15)));
        QCOMPARE(w->photo()->parentWidget(), w->photoArea());
        QCOMPARE(w->text1()->text(), photo);
        QVERIFY(dialogs.messages.isEmpty());
    }

    // A photo that can't be shown: the message names it, the edit bar keeps the step, the photo
    // box keeps its size and place and shows no other step's photo.
    void unshownPhoto_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("deleted file") << "missing";
        QTest::newRow("text file") << "text";
        QTest::newRow("zero bytes") << "empty";
        QTest::newRow("folder") << "folder";
    }

    void unshownPhoto()
    {
        QFETCH(QString, kind);
        const QString good = fx->makeImage(QStringLiteral("good.png"), QSize(100, 80));
        QString bad = QDir(fx->dir()).filePath(QStringLiteral("写真 'b'.jpg"));
        if (kind == QLatin1String("text"))
            writeFile(QStringLiteral("写真 'b'.jpg"), "not a picture\n");
        else if (kind == QLatin1String("empty"))
            writeFile(QStringLiteral("写真 'b'.jpg"), QByteArray());
        else if (kind == QLatin1String("folder"))
            QDir(fx->dir()).mkdir(QStringLiteral("写真 'b'.jpg"));
        fx->create({{QStringLiteral("001"), good, kUp}, {QStringLiteral("002"), bad, kLeft}});
        const auto w = openEditor(dialogs);
        select(*w, 0);
        const Box shown = boxOf(w->Picture1);
        select(*w, 1);
        QCOMPARE(dialogs.messages, QStringList{app::messages::notFound(bad)});
        QCOMPARE(w->text2()->text(), QStringLiteral("002"));
        QCOMPARE(w->text1()->text(), bad);
        QVERIFY(w->option1(2)->isChecked());
        compareBox(w->Picture1, shown);
        QVERIFY(w->photo()->pixmap().isNull());
    }

    void emptyPathGivesNoMessage()
    {
        fx->create({{QStringLiteral("001"), QString(), kRight}});
        const auto w = openEditor(dialogs);
        select(*w, 0);
        QVERIFY(dialogs.messages.isEmpty());
        QCOMPARE(w->text2()->text(), QStringLiteral("001"));
        QVERIFY(w->photo()->pixmap().isNull());
        compareBox(w->Picture1, {5752.5f, 1908.75f, 3855, 1695});
    }

    void photoDialog_data()
    {
        QTest::addColumn<QString>("answer"); // what the dialog returns; "<image>" is a photo
        QTest::addColumn<bool>("changes");
        QTest::addColumn<bool>("message");
        QTest::newRow("cancel") << "" << false << false;
        QTest::newRow("blanks only") << "   " << false << false;
        QTest::newRow("image with blanks around the name") << " <image>  " << true << false;
        QTest::newRow("not an image") << "notes.txt" << true << true;
    }

    void photoDialog()
    {
        QFETCH(QString, answer);
        QFETCH(bool, changes);
        QFETCH(bool, message);
        const QString before = fx->makeImage(QStringLiteral("before.png"), QSize(200, 100));
        const QString image = fx->makeImage(QStringLiteral("Tom's 写真 1.png"), QSize(320, 240));
        writeFile(QStringLiteral("notes.txt"), "a note\n");
        fx->create();
        const auto w = openEditor(dialogs);
        dialogs.files.push_back(before);
        w->Command3_Click();
        const Box shownBefore = boxOf(w->Picture1);

        answer.replace(QStringLiteral("<image>"), image);
        if (answer.trimmed() == QLatin1String("notes.txt"))
            answer = QDir(fx->dir()).filePath(answer);
        dialogs.files.push_back(answer);
        w->Command3_Click();
        const platform::OpenRequest& asked = dialogs.openRequests.last();
        QCOMPARE(asked.InitDir, QString());
        QCOMPARE(asked.Filter, QStringLiteral("*.*"));
        QCOMPARE(asked.FileName, QStringLiteral("*.*"));
        QCOMPARE(asked.DefaultExt, QStringLiteral("*"));
        const QString chosen = answer.trimmed();
        QCOMPARE(w->text1()->text(), changes ? chosen : before);
        QCOMPARE(dialogs.messages,
                 message ? QStringList{app::messages::notFound(chosen)} : QStringList());
        if (!changes || message) {
            compareBox(w->Picture1, shownBefore);
            QCOMPARE(w->photo()->pixmap().isNull(), message);
        } else {
            compareBox(w->Picture1, {5280, 956.25f, 4800, 3600});
        }
        QCOMPARE(w->text2()->text(), QString());
    }
};

QTEST_MAIN(TestEditorSelect)
#include "tst_editor_select.moc"
