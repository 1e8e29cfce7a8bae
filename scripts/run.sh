#!/usr/bin/env bash
# Installs what the build needs when something is missing, builds the program (a plain release
# build of its own, without sanitizers) and starts it; arguments go to the program. Without a
# display it runs offscreen: the Space picker opens on the pointer's display, its snapshot is
# written into the build folder and the program quits.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake -S . -B build-run -G Ninja -DCMAKE_BUILD_TYPE=Release -DTESSARIN_BUILD_TESTS=OFF \
      -DTESSARIN_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build build-run --target tessarin tessarin_resources

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    exec build-run/tessarin --osd-snapshot-path "$PWD/build-run/osd-snapshot.png" "$@"
fi
exec build-run/tessarin "$@"
