#include "app/route_chooser.h"

#include "app/m_lane.h"
#include "platform/picture.h"
#include "store/route_summary.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFutureWatcher>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QtConcurrent>

namespace app {

namespace {

// A grey frame where a picture is still coming or can't be shown.
QPixmap blankPicture()
{
    QPixmap blank(RouteChooser::pictureSize());
    blank.fill(QColor(0xE8, 0xE8, 0xE8));
    QPainter p(&blank);
    p.setPen(QColor(0xB0, 0xB0, 0xB0));
    p.drawRect(blank.rect().adjusted(0, 0, -1, -1));
    return blank;
}

// The first photo, small, upright, decoded at that size where the format allows it.
QImage smallPicture(const QString& photo)
{
    const QSize room = RouteChooser::pictureSize();
    const std::optional<QSize> size = platform::PictureSize(photo);
    if (!size || size->isEmpty())
        return {};
    const std::optional<QImage> image =
        platform::LoadPicture(photo, size->scaled(room, Qt::KeepAspectRatio));
    if (!image || image->isNull())
        return {};
    return image->size() == room || image->width() <= room.width()
               ? *image
               : image->scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

} // namespace

QSize RouteChooser::pictureSize()
{
    return {96, 72};
}

RouteChooser::RouteChooser(const QList<RouteInfo>& routes, const QString& currentPath,
                           QWidget* parent)
    : QDialog(parent), m_stop(std::make_shared<std::atomic_bool>(false))
{
    setWindowTitle(QStringLiteral("道順をえらぶ"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("練習する道順をえらんでください。"), this));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("routeList"));
    m_list->setIconSize(pictureSize());
    m_list->setSpacing(2);
    m_list->setMinimumSize(360, 320);
    layout->addWidget(m_list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("えらぶ"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemActivated, this, &QDialog::accept);

    const QIcon blank(blankPicture());
    for (const RouteInfo& route : routes) {
        const store::RouteSummary summary = store::SummariseRoute(route.path);
        const QString detail = summary.problem.isEmpty()
                                   ? QStringLiteral("%1 ステップ").arg(summary.steps)
                                   : QStringLiteral("読めません");
        auto* item = new QListWidgetItem(blank, route.name + QStringLiteral("\n") + detail, m_list);
        item->setData(Qt::UserRole, route.path);
        item->setToolTip(summary.problem.isEmpty() ? QDir::toNativeSeparators(route.path)
                                                   : summary.problem);
        item->setData(Qt::AccessibleTextRole, route.name + QStringLiteral("、") + detail);
        if (route.path == currentPath)
            m_list->setCurrentItem(item);
        if (!summary.firstPhoto.isEmpty())
            m_photos.append({m_list->count() - 1, summary.firstPhoto});
    }
    if (!m_list->currentItem() && m_list->count() > 0)
        m_list->setCurrentRow(0);
    m_pending = int(m_photos.size());
    // The pictures are begun once the list is on screen, so that they don't hold it up.
    QTimer::singleShot(0, this, [this] {
        for (const auto& [row, photo] : std::as_const(m_photos))
            startPicture(row, photo);
        m_photos.clear();
    });
}

RouteChooser::~RouteChooser()
{
    // Pictures not yet begun are not made for a list that has gone.
    m_stop->store(true);
}

void RouteChooser::startPicture(int row, const QString& photo)
{
    auto* watcher = new QFutureWatcher<QImage>(this);
    connect(watcher, &QFutureWatcher<QImage>::finished, this, [this, watcher, row] {
        const QImage image = watcher->result();
        watcher->deleteLater();
        if (!image.isNull())
            if (QListWidgetItem* item = m_list->item(row))
                item->setIcon(QIcon(QPixmap::fromImage(image)));
        if (--m_pending == 0)
            emit picturesDone();
    });
    const std::shared_ptr<std::atomic_bool> stop = m_stop;
    watcher->setFuture(
        QtConcurrent::run([stop, photo] { return stop->load() ? QImage() : smallPicture(photo); }));
}

QString RouteChooser::chosenPath() const
{
    const QListWidgetItem* item = m_list->currentItem();
    return item ? item->data(Qt::UserRole).toString() : QString();
}

} // namespace app
