#!/usr/bin/env bash
# Installs what is needed, configures, builds and runs every test.
#   scripts/test.sh                              plain build in build/
#   scripts/test.sh --sanitize=address,undefined the suite under ASan + UBSan
#   scripts/test.sh --sanitize=thread            the suite under TSan
set -euo pipefail
cd "$(dirname "$0")/.."

sanitize=""
for argument in "$@"; do
  case "$argument" in
    --sanitize=*) sanitize="${argument#--sanitize=}" ;;
    *) echo "unknown argument: $argument" >&2; exit 2 ;;
  esac
done

bash scripts/install-deps.sh --tests

build_dir=build
if [[ -n "$sanitize" ]]; then
  build_dir="build-${sanitize//,/-}"
fi

cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQX9_SANITIZE="$sanitize" -DQX9_TESTS=ON
cmake --build "$build_dir"
ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)"
