#!/usr/bin/env bash
# Installs the Debian packages the build needs, and with
#   --package  what `cpack -G DEB` needs as well,
#   --tests    what the tests and the packaging checks need as well,
#   --fuzz     clang and its runtime libraries, which carry libFuzzer.
# Idempotent: the package lists are refreshed only when something is missing.
set -euo pipefail
source "$(dirname "$0")/as-root.sh"

packages=(
  g++ cmake ninja-build pkg-config
  libudev-dev libhidapi-dev
  qt6-base-dev libxcb1-dev libxcb-xinput-dev
  libcli11-dev nlohmann-json3-dev
)
for argument in "$@"; do
  case "$argument" in
    --fuzz) packages+=(clang libclang-rt-dev) ;;
    --package) packages+=(dpkg-dev file) ;;
    --tests) packages+=(xvfb xauth libxcb-xtest0-dev libgtest-dev libgmock-dev
                        dpkg-dev file desktop-file-utils appstream man-db
                        umockdev libumockdev-dev) ;;
    *) echo "unknown argument: $argument" >&2; exit 2 ;;
  esac
done

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "Installing: ${missing[*]}"
as_root apt-get update
as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
