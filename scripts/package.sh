#!/usr/bin/env bash
# Builds the Debian package michitan_<version>_<arch>.deb from a clean Release build in
# ./build-package and copies it into the project folder.
set -euo pipefail
cd "$(dirname "$0")/.."
rm -rf build-package
# Only the program and its documents are built: the package holds nothing else.
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DMICHITAN_BENCH=OFF \
  -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON "$@"
cmake --build build-package -j"$(nproc)" --target michitan michitan_package_docs
(cd build-package && cpack -G DEB)
cp build-package/michitan_*.deb .
ls -l michitan_*.deb
