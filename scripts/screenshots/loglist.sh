#!/bin/sh
# Screenshots of the record list window beside the main window in browsing
# mode, showing a found record.
# Usage: scripts/screenshots/loglist.sh BUILD_DIR [OUTPUT_FOLDER]
exec sh "$(dirname "$0")/take.sh" loglist "$@"
