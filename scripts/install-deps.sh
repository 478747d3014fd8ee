#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need; with --fuzz also
# clang and its runtime libraries, which carry libFuzzer. Idempotent: the
# package lists are refreshed only when something is missing.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  libudev-dev libhidapi-dev
  qt6-base-dev libxcb1-dev libxcb-xinput-dev
  xvfb xauth libxcb-xtest0-dev
  libgtest-dev libgmock-dev
)
for argument in "$@"; do
  case "$argument" in
    --fuzz) packages+=(clang libclang-rt-dev) ;;
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

as_root=()
if [[ $EUID -ne 0 ]]; then
  as_root=(sudo)
fi
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
