#!/bin/sh
# Screenshots of the main window in writing, browsing and rewriting mode after
# a resize, and of the iconized window.
# Usage: scripts/screenshots/main.sh BUILD_DIR [OUTPUT_FOLDER]
# At 144 dpi: QT_SCALE_FACTOR=1.5 (or QT_FONT_DPI=144) scripts/screenshots/main.sh ...
exec sh "$(dirname "$0")/take.sh" main "$@"
