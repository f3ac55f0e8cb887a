#pragma once

#include "app/route_book.h"

#include <QDialog>
#include <atomic>
#include <memory>
#include <utility>

class QListWidget;

namespace app {

// "道順をえらぶ…": the routes with their step counts, each with its first photo as a small
// picture. The list is shown at once; the pictures are decoded in the background and fill in
// as they come.
class RouteChooser : public QDialog
{
    Q_OBJECT
public:
    RouteChooser(const QList<RouteInfo>& routes, const QString& currentPath,
                 QWidget* parent = nullptr);
    ~RouteChooser() override;

    // The chosen route's full path (the current one until another is chosen).
    QString chosenPath() const;
    QListWidget* list() const { return m_list; }
    // How many pictures are still being made.
    int picturesPending() const { return m_pending; }

    static QSize pictureSize();

signals:
    void picturesDone();

private:
    void startPicture(int row, const QString& photo);

    QListWidget* m_list = nullptr;
    QList<std::pair<int, QString>> m_photos; // rows and first photos not yet begun
    int m_pending = 0;
    std::shared_ptr<std::atomic_bool> m_stop;
};

} // namespace app
