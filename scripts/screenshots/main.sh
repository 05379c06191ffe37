#!/bin/sh
# Screenshots of the main window in writing, browsing and rewriting mode after
# a resize, and of the iconized window.
# Usage: scripts/screenshots/main.sh BUILD_DIR [OUTPUT_FOLDER]
exec sh "$(dirname "$0")/take.sh" test_main 'MainScreenshot*' "$@"
