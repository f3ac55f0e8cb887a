#include "records/records_window.h"

#include "platform/dialogs.h"
#include "platform/failure.h"
#include "records/messages.h"
#include "records/records_chart.h"
#include "records/records_print.h"
#include "records/route_snapshot.h"
#include "records/walk_form.h"

#include <QChart>
#include <QChartView>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

namespace records {

RecordsWindow::RecordsWindow(platform::Dialogs& dialogs, const QString& routeFile,
                             const QString& child, QWidget* parent)
    : QWidget(parent, Qt::Window), m_dialogs(dialogs), m_routeFile(routeFile), m_child(child)
{
    setObjectName(QStringLiteral("RecordsWindow"));
    setWindowTitle(QStringLiteral("練習の記録 - %1").arg(QFileInfo(routeFile).fileName()));
    runWalkForm = [](WalkForm& form) { return form.exec() == QDialog::Accepted; };

    auto* layout = new QVBoxLayout(this);
    m_headline = new QLabel(this);
    m_headline->setWordWrap(true);
    layout->addWidget(m_headline);

    auto* bar = new QHBoxLayout;
    const QSettings settings;
    bar->addWidget(new QLabel(QStringLiteral("基準: 1回目で正解"), this));
    m_percent = new QSpinBox(this);
    m_percent->setRange(10, 100);
    m_percent->setSingleStep(5);
    m_percent->setSuffix(QStringLiteral(" %"));
    m_percent->setValue(settings.value(QStringLiteral("records/percent"), 100).toInt());
    m_percent->setAccessibleName(QStringLiteral("基準の割合"));
    bar->addWidget(m_percent);
    bar->addWidget(new QLabel(QStringLiteral("以上を"), this));
    m_sessions = new QSpinBox(this);
    m_sessions->setRange(1, 20);
    m_sessions->setSuffix(QStringLiteral(" 回"));
    m_sessions->setValue(settings.value(QStringLiteral("records/sessions"), 3).toInt());
    m_sessions->setAccessibleName(QStringLiteral("続ける回数"));
    bar->addWidget(m_sessions);
    bar->addWidget(new QLabel(QStringLiteral("続けて"), this));
    bar->addStretch(1);
    auto* walk = new QPushButton(QStringLiteral("実際の道を記録する…"), this);
    auto* print = new QPushButton(QStringLiteral("印刷…"), this);
    bar->addWidget(walk);
    bar->addWidget(print);
    layout->addLayout(bar);

    auto* split = new QSplitter(Qt::Vertical, this);
    m_chart = new QChartView(split);
    m_chart->setRenderHint(QPainter::Antialiasing);
    m_chart->setMinimumHeight(200);
    m_grid = new QTableView(split);
    m_grid->setObjectName(QStringLiteral("stepGrid"));
    m_grid->setModel(&m_gridModel);
    m_grid->horizontalHeader()->setDefaultSectionSize(40);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->setSelectionMode(QAbstractItemView::NoSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table = new QTableView(split);
    m_table->setObjectName(QStringLiteral("sessionTable"));
    m_table->setModel(&m_tableModel);
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setStretchLastSection(true);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 3);
    split->setStretchFactor(2, 2);
    layout->addWidget(split, 1);

    const auto criterionChanged = [this] {
        setCriterion(Criterion{double(m_percent->value()), m_sessions->value()});
    };
    connect(m_percent, &QSpinBox::valueChanged, this, criterionChanged);
    connect(m_sessions, &QSpinBox::valueChanged, this, criterionChanged);
    connect(walk, &QPushButton::clicked, this, &RecordsWindow::recordWalk);
    connect(print, &QPushButton::clicked, this, &RecordsWindow::print);
    resize(1000, 720);
    m_report.criterion = Criterion{double(m_percent->value()), m_sessions->value()};
    reload();
}

bool RecordsWindow::reload()
{
    try {
        m_report = loadReport(m_routeFile, m_report.criterion, m_child);
    } catch (const platform::Failure& e) {
        const Criterion criterion = m_report.criterion;
        m_report = RecordsReport();
        m_report.routeFile = m_routeFile;
        m_report.child = m_child;
        m_report.criterion = criterion;
        showReport();
        platform::tell(m_dialogs, this, e);
        return false;
    }
    showReport();
    return true;
}

void RecordsWindow::setCriterion(const Criterion& criterion)
{
    QSettings settings;
    settings.setValue(QStringLiteral("records/percent"), int(criterion.percent));
    settings.setValue(QStringLiteral("records/sessions"), criterion.sessions);
    m_report.setCriterion(criterion);
    showReport();
}

void RecordsWindow::showReport()
{
    m_headline->setText(m_report.summaries.isEmpty() ? messages::kNoRecordsYetHowTo
                                                     : m_report.headline());
    QChart* old = m_chart->chart();
    m_chart->setChart(makeChart(m_report));
    delete old;
    m_gridModel.setReport(&m_report);
    m_tableModel.setReport(&m_report);
    m_table->resizeColumnsToContents();
    // The latest sessions first in sight.
    m_grid->horizontalScrollBar()->setValue(m_grid->horizontalScrollBar()->maximum());
    m_table->scrollToBottom();
}

void RecordsWindow::recordWalk()
{
    QList<store::Step> steps;
    try {
        steps = readRouteSteps(m_routeFile, 2);
    } catch (const platform::Failure& e) {
        platform::tell(m_dialogs, this, e);
        return;
    }
    if (steps.isEmpty()) {
        m_dialogs.MsgBox(this, messages::kNoPhotosYet);
        return;
    }
    WalkForm form(steps, this);
    if (!runWalkForm(form))
        return;
    try {
        store::RecordsDb db;
        db.open(store::recordsPathFor(m_routeFile), true, 2000);
        db.addWalk(form.when(), m_child, form.note(), steps, form.help());
    } catch (const platform::Failure& e) {
        platform::tell(m_dialogs, this, platform::Failure(e).leaving(messages::kWalkNotRecorded));
        return;
    }
    reload();
}

void RecordsWindow::print()
{
    printRecords(this, m_dialogs, m_report);
}

} // namespace records
