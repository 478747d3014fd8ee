#!/usr/bin/env bash
# Changes one constant of the device contract at a time, in a scratch clone, and
# reports whether the suite notices. The emulator keeps its own reading of the
# wire, so every line below should say "caught". The device suite alone is
# built and run: it holds the golden traces and the wait and retry tables.
#   scripts/mutation-check.sh [SCRATCH_DIR]
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
scratch="${1:-/tmp/qx9-mutation}"
contract=device/DeviceContract.h

# name | sed expression applied to the contract header
mutations=(
  "battery command code 0xB4 -> 0xB5|s/ReadBattery = 0xB4;/ReadBattery = 0xB5;/"
  "configuration report id 0xA0 -> 0xA2|s/ConfigReportId = 0xA0;/ConfigReportId = 0xA2;/"
  "busy re-read base 200 ms -> 190 ms|s/BusyRereadExtraWaits{200ms, 400ms}/BusyRereadExtraWaits{190ms, 400ms}/"
  "cable sensor write wait 500 ms -> 490 ms|s/CableWaits{150ms, 300ms, 110ms, 500ms, 800ms}/CableWaits{150ms, 300ms, 110ms, 490ms, 800ms}/"
  "dongle sensor write wait 880 ms -> 870 ms|s/DongleWaits{350ms, 350ms, 400ms, 880ms, 1080ms}/DongleWaits{350ms, 350ms, 400ms, 870ms, 1080ms}/"
)

rm -rf "$scratch"
git clone -q "$repo" "$scratch"
cd "$scratch"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQX9_TESTS=ON >/dev/null

for mutation in "${mutations[@]}"; do
  name="${mutation%%|*}"
  expression="${mutation#*|}"
  git checkout -q -- "$contract"
  sed -i "$expression" "$contract"
  if git diff --quiet -- "$contract"; then
    echo "not applied (the constant moved?): $name"
    continue
  fi
  cmake --build build --target qx9_device_tests >/dev/null
  if build/tests/qx9_device_tests --gtest_brief=1 >/tmp/qx9-mutation.log 2>&1; then
    echo "MISSED: $name"
  else
    failed=$(grep -c "^\[  FAILED  \] .*\." /tmp/qx9-mutation.log || true)
    echo "caught ($failed tests fail): $name"
  fi
done
git checkout -q -- "$contract"
