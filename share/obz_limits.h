#pragma once

#include <QtGlobal>

// What an archive may hold before it is read at all. A route has at most 999 steps, each with
// one board and at most one picture, so a real archive stays far below every limit.
namespace share::limits {

inline constexpr int kMaxSteps = 999;
// Every entry of the archive: the manifest, 999 boards, 999 pictures, 999 voices, the goal board
// and its voice, and room.
inline constexpr int kMaxEntries = 3100;
// One picture (the export writes at most 1920 pixels; a phone's original is about 5 MB).
inline constexpr qint64 kMaxPictureBytes = 40ll * 1024 * 1024;
// One voice (a recording is at most 15 seconds; a chosen file at most this).
inline constexpr qint64 kMaxSoundBytes = 40ll * 1024 * 1024;
// One board (about 2 KB) and the manifest (about 100 KB for 999 steps).
inline constexpr qint64 kMaxBoardBytes = 64 * 1024;
inline constexpr qint64 kMaxManifestBytes = 512 * 1024;
// Boards the manifest may name: one a step, the goal board, and a few of another app's.
inline constexpr int kMaxBoards = kMaxSteps + 16;
// A file name on the disks we write to, in bytes of UTF-8.
inline constexpr int kMaxNameBytes = 255;
// Everything unpacked together.
inline constexpr qint64 kMaxTotalBytes = 2ll * 1024 * 1024 * 1024;
// Unpacked size against packed size, for entries above kRatioFloor bytes: pictures hardly
// pack, JSON packs about 10:1; only a bomb packs a thousand to one.
inline constexpr qint64 kMaxRatio = 100;
inline constexpr qint64 kRatioFloor = 64 * 1024;
// A picture's width or height in pixels.
inline constexpr int kMaxPictureSide = 16384;

// Pictures are written at most this long on their long side.
inline constexpr int kExportLongSide = 1920;
inline constexpr int kJpegQuality = 85;

} // namespace share::limits
