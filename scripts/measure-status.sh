#!/usr/bin/env bash
# Measures `qx9ctl --emulator status` on the real clock: the process's wall
# time from its start to its end, beside the waits the device contract
# prescribes for the commands it sends (target: within 2 % plus 20 ms).
# Not run by CI: it needs a quiet machine to mean anything.
#   scripts/measure-status.sh [ROUNDS]   (default 10; uses build/, as test.sh leaves it)
set -euo pipefail
cd "$(dirname "$0")/.."

rounds="${1:-10}"
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target qx9-bench-status qx9ctl
build/bench/qx9-bench-status "$rounds"
