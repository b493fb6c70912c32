# Sourced by the end-to-end scripts: `exe` (zolvsync.exe) and a fresh `work` folder from the
# two arguments, and the helpers they share.
set -u
exe=$1
work=$2
chattr -R -i "$work" 2>/dev/null  # what a failed run of the undeletable case left
rm -rf "$work"
mkdir -p "$work"
fail() { echo "FAIL: $*"; exit 1; }
winpath() { echo "Z:${1//\//\\}"; }
