#pragma once

#include <QString>

// Writes a mono 16-bit WAV file of `ms` milliseconds: a 440 Hz tone of `amplitude` (0 to 1; 0
// writes silence). Returns `path`.
QString writeToneWav(const QString& path, int ms, double amplitude = 0.5);

// Gives `photo` (a step's photo, or the goal's key) the voice file `file` in the route file the
// shared settings name.
void giveVoice(const QString& photo, const QString& file);
