#!/bin/sh
# Screenshot of the migration tool's window under Xvfb.
# Usage: scripts/screenshots/update.sh BUILD_DIR [OUTPUT.png]
set -eu
build=${1:?build directory}
out=${2:-update.png}
case $out in /*) ;; *) out=$(pwd)/$out ;; esac
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
# The tool works on the folder it lies in: give it one data file so the button is enabled.
cp "$build/update" "$folder/update"
mkdir -p "$folder/user/2001"
printf '<?xml version="1.0" encoding="Shift_JIS"?>\r\n<diary></diary>\r\n' >"$folder/user/2001/10.diary"
xvfb-run -a -s "-screen 0 640x360x24" sh -c "
  \"$folder/update\" & pid=\$!
  sleep 2
  import -window root \"$out\"
  kill \$pid
"
echo "$out"
