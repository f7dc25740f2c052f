#!/usr/bin/env bash
# Installs what is missing, then configures and builds Velquin into build/.
set -euo pipefail
repo_root=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo_root"
[ "$(id -u)" = 0 ] && scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/i686-w64-mingw32.cmake >/dev/null
cmake --build build
