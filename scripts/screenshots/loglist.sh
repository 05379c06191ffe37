#!/bin/sh
# Screenshot of the record list window beside the main window in browsing
# mode, showing a found record (also with a wider main window and with the
# begin list dropped down), taken under Xvfb by the window test program.
# Usage: scripts/screenshots/loglist.sh BUILD_DIR [OUTPUT_FOLDER]
set -eu
build=${1:?build directory}
out=${2:-screenshots}
case $out in /*) ;; *) out=$(pwd)/$out ;; esac
mkdir -p "$out"
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
XDG_RUNTIME_DIR=$runtime QT_QPA_PLATFORM=xcb QUILLMERE_SCREENSHOTS=$out \
  xvfb-run -a -s "-screen 0 1024x768x24" \
  "$build/tests/test_loglist" --gtest_filter='LogListScreenshot*'
ls "$out"/loglist*.png
