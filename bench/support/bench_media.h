#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

// What the benchmarks share: photos that compress like a phone's, route files, memory readings.
namespace bench {

// A picture of `size` that compresses like a photograph (gradients, `shapes` shapes and fine
// noise), the same picture for the same `seed`.
QImage photoImage(QSize size, quint32 seed, int shapes = 200);
// Writes photoImage() as a JPEG.
void writePhoto(const QString& path, QSize size, quint32 seed, int shapes = 200, int quality = 90);

// Writes a route file at `path` (replacing one there) with `steps` steps "001".."NNN" taking
// `photos` in turn; the directions are ↑ for every step, or ↑ → ← in turn when `mixed`.
void writeRoute(const QString& path, const QStringList& photos, int steps, bool mixed);

// A figure of this process from /proc/self/status ("VmHWM:", "VmRSS:"), in KiB; 0 when there is
// none.
double statusKib(const char* key);

} // namespace bench
