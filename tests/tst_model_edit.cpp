// A long seeded run of registrations, deletions and row selections against the real editor and
// route file, checked after every step against a plain in-memory model of the route.
#include "app/m_lane.h"
#include "edit/frm_lane_make.h"
#include "edit/messages.h"
#include "edit/step_grid.h"
#include "store/adodc.h"
#include "support/route_fixture.h"
#include "support/scripted_dialogs.h"
#include "support/test_seed.h"
#include "support/texts.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QTest>

namespace {

struct Step
{
    QString photo;
    QString direction;
};

QList<RouteRow> numbered(const QList<Step>& model)
{
    QList<RouteRow> rows;
    for (int i = 0; i < model.size(); ++i)
        rows << RouteRow{stepKey(i + 1), model[i].photo, model[i].direction};
    return rows;
}

} // namespace

class TestModelEdit : public QObject
{
    Q_OBJECT

private slots:
    void randomEditingMatchesTheModel()
    {
        const quint32 seed = testSeed();
        QRandomGenerator rng(seed);

        RouteFixture fx;
        fx.create({});
        // A pool of real photos, some with awkward names.
        QStringList pool;
        for (int i = 0; i < 80; ++i) {
            const QString name = i % 7 == 0   ? QStringLiteral("Tom's way %1.png").arg(i)
                                 : i % 5 == 0 ? QStringLiteral("がっこう %1.png").arg(i)
                                              : QStringLiteral("p%1.png").arg(i);
            pool << fx.makeImage(name, QSize(8 + i % 5, 6));
        }
        ScriptedDialogs dialogs;
        frm_lane_make editor(dialogs, platform::ScreenTwips::fromPixels(QSize(1024, 768)));
        QList<Step> model;
        QString text2; // what Text2 must show
        int counts[6] = {};
        const int operations = 3000;

        for (int op = 0; op < operations; ++op) {
            dialogs.messages.clear();
            dialogs.answers.clear();
            const int kind = int(rng.bounded(6));
            ++counts[kind];
            const QString context = QStringLiteral("operation %1 (kind %2)").arg(op).arg(kind);
            const int n = int(model.size());
            if (kind == 0 && n > 0) {
                // Select a row.
                const int i = int(rng.bounded(n));
                editor.grid()->setCurrentIndex(editor.Adodc1->index(i, 0));
                int cancel = 0;
                editor.DataGrid1_SelChange(cancel);
                text2 = stepKey(i + 1);
                QCOMPARE(editor.text1()->text(), model[i].photo);
                QVERIFY(editor.option1(kArrows.indexOf(model[i].direction))->isChecked());
                QVERIFY2(dialogs.messages.isEmpty(), qPrintable(context));
            } else if (kind <= 2) {
                // Register a photo that is not in the route yet, after a chosen step or at the end.
                QStringList unused = pool;
                for (const Step& s : model)
                    unused.removeAll(s.photo);
                if (unused.isEmpty())
                    continue;
                const QString photo = unused[int(rng.bounded(unused.size()))];
                const int choice = int(rng.bounded(4));
                const QString after = choice == 0   ? QString()
                                      : choice == 1 ? editor.text2()->text()
                                      : choice == 2 ? stepKey(int(rng.bounded(n + 1)) + 1)
                                                    : stepKey(int(rng.bounded(900, 999)));
                const int d = int(rng.bounded(3));
                editor.text2()->setText(after);
                editor.text1()->setText(photo);
                editor.option1(d)->setChecked(true);
                editor.Command1_Click();
                // The new step goes after every step whose number sorts before "<after>_0".
                int at = n;
                if (!after.trimmed().isEmpty()) {
                    at = 0;
                    while (at < n && stepKey(at + 1) < after + QStringLiteral("_0"))
                        ++at;
                }
                model.insert(at, Step{photo, kArrows[d]});
                text2 = stepKey(at + 1);
                QVERIFY2(dialogs.messages.isEmpty(), qPrintable(context));
            } else if (kind == 3 && n > 0) {
                // Register a photo of the route again: overwrite it in place, or cancel.
                const int i = int(rng.bounded(n));
                const bool ok = rng.bounded(2) == 0;
                const int d = int(rng.bounded(3));
                dialogs.answers = {ok ? platform::MsgResult::Ok : platform::MsgResult::Cancel};
                editor.text2()->setText(rng.bounded(2) ? QString()
                                                       : stepKey(int(rng.bounded(n)) + 1));
                editor.text1()->setText(QStringLiteral(" ") + model[i].photo);
                editor.option1(d)->setChecked(true);
                editor.Command1_Click();
                QCOMPARE(dialogs.messages, QStringList{edit::messages::kOverwrite});
                if (ok)
                    model[i].direction = kArrows[d];
                text2 = stepKey(i + 1);
            } else if (kind == 4) {
                // Delete a step that exists or one that doesn't, with OK or Cancel.
                const bool ok = rng.bounded(3) != 0;
                const int pick = int(rng.bounded(n + 3));
                const QString number = pick < n        ? stepKey(pick + 1)
                                       : pick == n     ? QString()
                                       : pick == n + 1 ? stepKey(n + 1)
                                                       : QStringLiteral("0'1");
                dialogs.answers = {ok ? platform::MsgResult::Ok : platform::MsgResult::Cancel};
                editor.text2()->setText(number);
                editor.Command2_Click();
                QCOMPARE(dialogs.messages, QStringList{edit::messages::kDelete});
                if (ok && pick < n)
                    model.removeAt(pick);
                text2 = number;
            } else if (kind == 5) {
                // Register without a photo.
                const QString before = editor.text2()->text();
                editor.text1()->setText(rng.bounded(2) ? QString() : QStringLiteral("   "));
                editor.Command1_Click();
                QCOMPARE(dialogs.messages, QStringList{edit::messages::kChoosePhoto});
                QCOMPARE(editor.text2()->text(), before);
                text2 = before;
            } else {
                continue;
            }
            const QList<RouteRow> rows = fx.rows();
            if (rows != numbered(model) || editor.text2()->text() != text2)
                qWarning("the route or Text2 went wrong at %s", qPrintable(context));
            QCOMPARE(rows, numbered(model));
            QCOMPARE(editor.text2()->text(), text2);
            QCOMPARE(editor.Adodc1->rowCount(), int(model.size()));
        }
        qInfo("%d operations: %d selections, %d new photos, %d re-registrations, %d deletions, "
              "%d without a photo; %d steps at the end",
              operations, counts[0], counts[1] + counts[2], counts[3], counts[4], counts[5],
              int(model.size()));
    }
};

QTEST_MAIN(TestModelEdit)
#include "tst_model_edit.moc"
