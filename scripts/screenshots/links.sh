#!/bin/sh
# Screenshots of the link path dialog, the font dialog and the main window
# with a related link.
# Usage: scripts/screenshots/links.sh BUILD_DIR [OUTPUT_FOLDER]
exec sh "$(dirname "$0")/take.sh" links "$@"
