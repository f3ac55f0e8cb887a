#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <atomic>
#include <memory>

namespace edit {

// What is wrong with a step's photo, as far as the list knows.
enum class PhotoProblem { None, NoPath, Missing, Unreadable };

// Tells which photos of the route can't be shown: whether each file exists is checked at once,
// whether it can be read as a picture in the background, so that the window never waits on it.
// A new check drops whatever an earlier one still finds.
class PhotoCheck : public QObject
{
    Q_OBJECT
public:
    explicit PhotoCheck(QObject* parent = nullptr);
    ~PhotoCheck() override;

    // Starts checking `paths` (the route's photo paths, as stored).
    void check(const QStringList& paths);
    PhotoProblem problem(const QString& path) const;
    // The explanation shown beside a photo with `problem`, with what to do about it.
    static QString explanation(PhotoProblem problem);

signals:
    // Results of the background part have arrived.
    void changed();

private:
    QHash<QString, PhotoProblem> m_problems;
    std::shared_ptr<std::atomic_bool> m_stop;
    int m_generation = 0;
};

} // namespace edit
