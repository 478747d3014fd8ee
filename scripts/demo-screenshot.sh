#!/usr/bin/env bash
# Starts the demo on a virtual X display and saves a PNG of both its windows,
# for a look at the tool without a desktop.
#   scripts/demo-screenshot.sh [OUTPUT.png] [SECONDS_TO_WAIT]
set -euo pipefail
cd "$(dirname "$0")/.."
output="$(realpath -m "${1:-demo-screenshot.png}")"
wait_seconds="${2:-4}"

source scripts/as-root.sh
bash scripts/install-deps.sh
missing=()
# A font with the full-width colon of "CPI Levels：", which DejaVu lacks.
for package in xvfb xauth imagemagick fonts-wqy-microhei; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if ((${#missing[@]})); then
  as_root apt-get update
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build --target qx9-config-demo

export QX9_DEMO_BINARY="$PWD/build/demo/qx9-config-demo" QX9_SHOT="$output" QX9_WAIT="$wait_seconds"
xvfb-run -a -s "-screen 0 1480x640x24" bash -c '
  "$QX9_DEMO_BINARY" & demo=$!
  sleep "$QX9_WAIT"
  import -window root "$QX9_SHOT"
  kill "$demo"; wait "$demo" 2>/dev/null || true
'
echo "saved $output"
