#pragma once

#include <QList>
#include <QSize>
#include <QString>
#include <QTemporaryDir>

struct RouteRow
{
    QString order;
    QString photo;
    QString direction;
    bool operator==(const RouteRow&) const = default;
};
QDebug operator<<(QDebug debug, const RouteRow& row);
char* toString(const RouteRow& row);

// A route file in a fresh temporary folder, with the shared settings pointing at it. The file
// is read and written here with plain SQL, independently of the program's store code.
class RouteFixture
{
public:
    RouteFixture();

    QString dir() const { return m_dir.path(); }
    QString dbPath() const;

    // Makes the route file with the table and `rows` (replacing any earlier fixture file).
    void create(const QList<RouteRow>& rows = {});
    // Steps "001".."n" with photos "<dir>/pN.png" (not written) and direction "↑".
    void createSteps(int n);
    // Every row, in the route's order.
    QList<RouteRow> rows() const;
    void exec(const QString& sql) const;

    // Writes a picture file of `size` pixels and returns its path.
    QString makeImage(const QString& name, QSize size, const char* format = "PNG") const;

private:
    QTemporaryDir m_dir;
};
