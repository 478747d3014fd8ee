#!/usr/bin/env bash
# Builds qx9-config as a Debian package and installs it with apt: the tool,
# its udev rule (reloaded at once), desktop entry, AppStream data, icons and
# manual page. As root, or as a user with sudo. Remove it with apt as usual.
#   scripts/install.sh            build, pack and install
#   scripts/install.sh --no-install  only build and pack; prints the .deb's path
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/as-root.sh

install=1
for argument in "$@"; do
  case "$argument" in
    --no-install) install=0 ;;
    *) echo "unknown argument: $argument" >&2; exit 2 ;;
  esac
done

bash scripts/install-deps.sh --package
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQX9_TESTS=OFF
cmake --build build-release
rm -f build-release/*.deb
(cd build-release && cpack -G DEB)
package="$(realpath build-release/*.deb)"
if ((install)); then
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y "$package"
fi
echo "$package"
