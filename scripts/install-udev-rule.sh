#!/usr/bin/env bash
# Installs only the udev rule that lets the user at the seat open the QX9's
# hidraw nodes, and applies it to the devices plugged in now. For a tool run
# from the build tree; the package and `cmake --install` bring the same rule.
# As root, or as a user with sudo.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/as-root.sh

rule="$(mktemp)"
trap 'rm -f "$rule"' EXIT
cmake -DOUTPUT="$rule" -P packaging/UdevRule.cmake
as_root install -D -m 644 "$rule" /etc/udev/rules.d/70-qx9-config.rules
if as_root udevadm control --reload; then
  as_root udevadm trigger --subsystem-match=hidraw --action=change
else
  echo "udev is not running: the rule applies from the next boot on" >&2
fi
echo "Installed /etc/udev/rules.d/70-qx9-config.rules"
