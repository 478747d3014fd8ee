#!/usr/bin/env bash
# Installs what is needed, builds a release and plays 1000 rounds of the cable
# and the dongle coming and going on the demo composition, with status records
# and an APPLY in each round. Prints the resident memory at the start, after a
# warm-up, in the middle and at the end, and the time from a status record
# reaching the listener to the window showing it. Not part of the test suite.
#   scripts/soak-measure.sh [rounds] [--without-trace-view]
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQX9_TESTS=OFF
cmake --build build-release --target qx9-bench-hotplug-soak
QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}" \
  exec ./build-release/bench/qx9-bench-hotplug-soak "$@"
