#!/usr/bin/env bash
# Installs what is needed, builds, and starts the demo: the tool on the
# built-in emulated mouse and dongle, with the "Virtual QX9" panel beside it.
# Arguments go to the demo: --start=STATE picks the hardware it starts with,
# --help lists the states.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug
cmake --build build --target qx9-config-demo
exec ./build/demo/qx9-config-demo "$@"
