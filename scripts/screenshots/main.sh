#!/bin/sh
# Screenshots of the main window in writing, browsing and rewriting mode after
# a resize, and of the iconized window, taken under Xvfb by the window test
# program.
# Usage: scripts/screenshots/main.sh BUILD_DIR [OUTPUT_FOLDER]
set -eu
build=${1:?build directory}
out=${2:-screenshots}
case $out in /*) ;; *) out=$(pwd)/$out ;; esac
mkdir -p "$out"
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
XDG_RUNTIME_DIR=$runtime QT_QPA_PLATFORM=xcb QUILLMERE_SCREENSHOTS=$out \
  xvfb-run -a -s "-screen 0 1024x768x24" \
  "$build/tests/test_main" --gtest_filter='MainScreenshot*'
ls "$out"
