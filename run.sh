#!/usr/bin/env bash
# Installs what is missing, builds the program, lays out its folder in dist/ and starts it.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DZANTOR_BUILD_TESTS=OFF >/dev/null
cmake --build build/release -j "$(nproc 2>/dev/null || echo 2)"

dist="$PWD/dist"
scripts/layout-dist build/release "$dist"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display is available, so no window opens: run ./run.sh from a desktop session, or under a virtual display with 'xvfb-run -a ./run.sh'."
    if [ -x scripts/run-headless ]; then
        scripts/run-headless "$dist"
    fi
    exit 0
fi

exec "$dist/zantor"
