// Changes a route through the real editor, one registration or deletion after another, until it
// is killed. Before each change it prints what it is about to do, after each one "done", so that
// a test that kills it knows which change was under way.
//   helper_editor_churn ROUTE_FOLDER SEED [COUNT]
#include "app/m_lane.h"
#include "edit/frm_lane_make.h"
#include "edit/messages.h"
#include "store/adodc.h"
#include "store/sql_quote.h"
#include "store/step.h"
#include "support/scripted_dialogs.h"
#include "support/texts.h"

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QRandomGenerator>
#include <cstdio>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return 2;
    m_lane::InitSettings(args[1]);
    const quint32 seed = args[2].toUInt();
    const int count = args.size() > 3 ? args[3].toInt() : -1;
    QRandomGenerator rng(seed);
    ScriptedDialogs dialogs; // every question is answered OK
    frm_lane_make editor(dialogs, platform::ScreenTwips::fromPixels(QSize(1024, 768)));
    int steps = editor.Adodc1->rowCount();
    std::printf("ready %d\n", steps);
    std::fflush(stdout);
    for (int k = 0; count < 0 || k < count; ++k) {
        if (steps >= 999 || (steps > 1 && rng.bounded(2) == 0)) {
            const int n = int(rng.bounded(steps)) + 1;
            std::printf("op %d del %d\n", k, n);
            std::fflush(stdout);
            editor.text2()->setText(store::StepKey(n));
            editor.Command2_Click();
            --steps;
        } else {
            const int after = int(rng.bounded(steps + 1)); // 0: at the end
            const QString photo = QStringLiteral("%1/new-%2-%3.png").arg(args[1]).arg(seed).arg(k);
            std::printf("op %d reg %d %s\n", k, after, qPrintable(photo));
            std::fflush(stdout);
            editor.text1()->setText(photo);
            editor.text2()->setText(after == 0 ? QString() : store::StepKey(after));
            editor.option1(1)->setChecked(true);
            editor.Command1_Click();
            ++steps;
        }
        dialogs.messages.removeAll(edit::messages::kDelete);
        if (!dialogs.messages.isEmpty()) {
            std::printf("message %s\n", qPrintable(dialogs.messages.join(QLatin1Char('|'))));
            std::fflush(stdout);
            return 1;
        }
        std::printf("done %d\n", k);
        std::fflush(stdout);
    }
    return 0;
}
