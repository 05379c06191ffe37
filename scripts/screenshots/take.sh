#!/bin/sh
# Runs the screenshot tests of one window test program under Xvfb and lists
# the pictures they saved.
# Usage: scripts/screenshots/take.sh TEST_PROGRAM TEST_FILTER BUILD_DIR [OUTPUT_FOLDER]
set -eu
program=${1:?test program}
filter=${2:?test filter}
build=${3:?build directory}
out=${4:-screenshots}
case $out in /*) ;; *) out=$(pwd)/$out ;; esac
mkdir -p "$out"
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
XDG_RUNTIME_DIR=$runtime QT_QPA_PLATFORM=xcb QUILLMERE_SCREENSHOTS=$out \
  xvfb-run -a -s "-screen 0 1024x768x24" \
  "$build/tests/$program" --gtest_filter="$filter"
ls "$out"
