# Sourced by the scripts that change the system: runs a command as root, through
# sudo when the caller is not root already (a root shell needs no sudo).
as_root() {
  if [[ $EUID -eq 0 ]]; then
    "$@"
  elif command -v sudo >/dev/null; then
    sudo "$@"
  else
    echo "This step needs root: run it as root, or install sudo." >&2
    return 1
  fi
}
