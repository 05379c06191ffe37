#!/bin/sh
# Takes the pictures of one scene of quillmere-screenshots (main, links,
# loglist) under Xvfb and lists them.
# Usage: scripts/screenshots/take.sh SCENE BUILD_DIR [OUTPUT_FOLDER]
set -eu
scene=${1:?scene}
shift
. "$(dirname "$0")/xvfb.sh"
export QT_QPA_PLATFORM=xcb
under_xvfb "$build/scripts/screenshots/quillmere-screenshots" "$scene" "$out"
