#include "records/records_chart.h"

#include <QChart>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>

namespace records {

QChart* makeChart(const RecordsReport& report)
{
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("1回目で正解したステップの割合"));
    chart->legend()->setAlignment(Qt::AlignBottom);
    auto* practice = new QLineSeries(chart);
    practice->setName(QStringLiteral("練習"));
    practice->setPointsVisible(report.summaries.size() <= 60);
    auto* walks = new QLineSeries(chart);
    walks->setName(QStringLiteral("実際の道（ひとりで）"));
    walks->setPointsVisible(true);
    walks->setPen(QPen(QColor(0x2E, 0x8B, 0x57), 2, Qt::DashLine));
    QList<QPointF> practicePoints, walkPoints;
    for (int i = 0; i < report.summaries.size(); ++i) {
        const std::optional<double> share = report.summaries[i].share();
        if (share)
            (report.summaries[i].walk ? walkPoints : practicePoints).append(QPointF(i + 1, *share));
    }
    practice->replace(practicePoints);
    walks->replace(walkPoints);
    const qreal last = std::max<qreal>(2, report.summaries.size());
    auto* rule = new QLineSeries(chart);
    rule->setName(QStringLiteral("基準 %1 %（%2 回続けて）")
                      .arg(report.criterion.percent, 0, 'f', 0)
                      .arg(report.criterion.sessions));
    rule->setPen(QPen(QColor(0xC0, 0x30, 0x30), 1.5, Qt::DotLine));
    rule->append(1, report.criterion.percent);
    rule->append(last, report.criterion.percent);
    chart->addSeries(practice);
    if (!walkPoints.isEmpty())
        chart->addSeries(walks);
    else
        delete walks;
    chart->addSeries(rule);
    if (report.practiceMet) {
        auto* met = new QScatterSeries(chart);
        met->setName(QStringLiteral("基準を満たした回（%1 回目）").arg(*report.practiceMet + 1));
        met->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
        met->setMarkerSize(14);
        met->setColor(QColor(0xC0, 0x30, 0x30));
        met->append(*report.practiceMet + 1,
                    report.summaries[*report.practiceMet].share().value_or(100));
        chart->addSeries(met);
    }
    auto* x = new QValueAxis(chart);
    x->setTitleText(QStringLiteral("回"));
    x->setLabelFormat(QStringLiteral("%d"));
    x->setRange(1, last);
    x->setTickCount(std::min<int>(11, int(last)));
    auto* y = new QValueAxis(chart);
    y->setTitleText(QStringLiteral("%"));
    y->setRange(0, 100);
    y->setTickCount(6);
    y->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries* series : chart->series()) {
        series->attachAxis(x);
        series->attachAxis(y);
    }
    return chart;
}

} // namespace records
