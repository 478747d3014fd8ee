#!/usr/bin/env bash
# Checks what an install puts on a machine: the desktop entry and the AppStream
# data validate, the window class the entry names is the tool's, the Debian
# package holds exactly the expected files and installs (dependencies from
# shlibdeps, udev rules reloaded), and `uninstall` removes what `cmake --install`
# put down.
#   scripts/check-packaging.sh [BUILD_DIR]   (default: build, as test.sh leaves it)
set -euo pipefail
cd "$(dirname "$0")/.."
build="$(realpath -m "${1:-build}")"

bash scripts/install-deps.sh --tests
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build"

fail() { echo "check-packaging: $*" >&2; exit 1; }

desktop="$build/packaging/com.talvern.qx9config.desktop"
metainfo="$build/packaging/com.talvern.qx9config.metainfo.xml"
desktop-file-validate "$desktop"
appstreamcli validate --pedantic --no-net "$metainfo"
# X11 docks match StartupWMClass against the window's class, which Qt takes
# from the program's name.
grep -qx "StartupWMClass=qx9-config" "$desktop" || fail "StartupWMClass is not qx9-config"
grep -qx "Exec=qx9-config" "$desktop" || fail "Exec is not qx9-config"
echo "desktop entry and AppStream data: valid"

# The completion offers the commands, then a setting's words after NAME=,
# where bash breaks words at "=" and ":".
completion() {
  bash -c 'source packaging/qx9ctl.bash-completion
    COMP_LINE=$1; COMP_POINT=${#1}; read -ra COMP_WORDS <<<"$2"
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); _qx9ctl; echo "${COMPREPLY[*]}"' _ "$1" "$2"
}
[[ "$(completion "qx9ctl s" "qx9ctl s")" == "status show set" ]] ||
  fail "bash completion does not offer the commands"
[[ "$(completion "qx9ctl set lod=1.7" "qx9ctl set lod = 1.7")" == "1.7mm" ]] ||
  fail "bash completion does not offer a setting's values"
[[ "$(completion "qx9ctl set wheel-up=media:m" "qx9ctl set wheel-up = media : m")" == "mute" ]] ||
  fail "bash completion does not complete after a colon"
man --warnings -l "$build/packaging/qx9ctl.1" >/dev/null 2>"$build/qx9ctl-man.log" &&
  [[ ! -s "$build/qx9ctl-man.log" ]] || fail "the manual page of qx9ctl has warnings: $(cat "$build/qx9ctl-man.log")"
echo "qx9ctl: bash completion and manual page"

rm -f "$build"/*.deb
(cd "$build" && cpack -G DEB >/dev/null)
package="$(ls "$build"/qx9-config_*.deb)"
expected="$(cat <<'LIST'
./usr/bin/qx9-config
./usr/bin/qx9ctl
./usr/lib/udev/rules.d/70-qx9-config.rules
./usr/share/applications/com.talvern.qx9config.desktop
./usr/share/bash-completion/completions/qx9ctl
./usr/share/icons/hicolor/128x128/apps/com.talvern.qx9config.png
./usr/share/icons/hicolor/16x16/apps/com.talvern.qx9config.png
./usr/share/icons/hicolor/256x256/apps/com.talvern.qx9config.png
./usr/share/icons/hicolor/32x32/apps/com.talvern.qx9config.png
./usr/share/icons/hicolor/48x48/apps/com.talvern.qx9config.png
./usr/share/icons/hicolor/64x64/apps/com.talvern.qx9config.png
./usr/share/icons/hicolor/scalable/apps/com.talvern.qx9config.svg
./usr/share/man/man1/qx9-config.1.gz
./usr/share/man/man1/qx9ctl.1.gz
./usr/share/metainfo/com.talvern.qx9config.metainfo.xml
LIST
)"
actual="$(dpkg-deb --fsys-tarfile "$package" | tar -t | grep -v '/$' | LC_ALL=C sort)"
diff <(echo "$expected") <(echo "$actual") || fail "the package's files differ from the list above"
depends="$(dpkg-deb --field "$package" Depends)"
for library in libqt6widgets6 libqt6network6 libhidapi-hidraw0 libudev1; do
  [[ "$depends" == *"$library"* ]] || fail "Depends lacks $library: $depends"
done
dpkg-deb --ctrl-tarfile "$package" | tar -xO ./postinst | grep -q "udevadm control" ||
  fail "postinst does not reload the udev rules"
apt-get install --simulate --no-install-recommends "$package" >/dev/null ||
  fail "the package does not install"
echo "package $(basename "$package"): expected files, dependencies, maintainer scripts"

stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
cmake --install "$build" --prefix "$stage" >/dev/null
[[ -n "$(find "$stage" -type f)" ]] || fail "cmake --install put nothing down"
cmake --build "$build" --target uninstall >/dev/null
left="$(find "$stage" -type f)"
[[ -z "$left" ]] || fail "uninstall left: $left"
echo "uninstall: removes everything cmake --install put down"
