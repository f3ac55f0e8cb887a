#pragma once

#include <QByteArray>
#include <cstdio>
#include <ftw.h>

// Removes the folder `native` and everything in it, by its file system name, which need not be
// UTF-8: QTemporaryDir can't remove a folder it can't name, and would leave it behind.
inline void removeNativeTree(const QByteArray& native)
{
    nftw(
        native.constData(),
        [](const char* path, const struct stat*, int, FTW*) { return std::remove(path); }, 16,
        FTW_DEPTH | FTW_PHYS);
}
