#!/usr/bin/env bash
# Sets up the machine, builds the test build (AddressSanitizer and UndefinedBehaviorSanitizer)
# and runs every test suite.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake -S . -B build -G Ninja -DTESSARIN_SANITIZE=ON -DTESSARIN_BUILD_BENCHMARKS=ON
cmake --build build
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure --timeout 300 -j "$(nproc)"
