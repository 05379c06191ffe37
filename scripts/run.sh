#!/usr/bin/env bash
# Installs what is needed, builds Quillmere, installs its program folder and starts it.
#
#   bash scripts/run.sh [PROGRAM_FOLDER]
#
# The program folder is PROGRAM_FOLDER, else $QUILLMERE_HOME, else ~/Quillmere. It receives the
# two programs, icons/ and readme.html; each user's data folder (named after the user) is
# created inside it by the program and is never touched here, so re-running this keeps all data.
# A desktop launcher and the program icon are installed for the user (scripts/install-launcher.sh).
# Quillmere is started in the background; the command returns once it runs.
set -euo pipefail

folder=${1:-${QUILLMERE_HOME:-$HOME/Quillmere}}
folder=$(realpath -m -- "$folder")
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"

# A clean of the build tree would take the users' data with it.
case "$folder/" in
  "$repo/build/"*)
    echo "The program folder must lie outside the build tree ($repo/build): $folder" >&2
    exit 2
    ;;
esac

bash scripts/setup.sh
build=build/run
# Running the program needs no test libraries.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DQUILLMERE_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target Quillmere update
if ! out=$(cmake --install "$build" --prefix "$folder" 2>&1); then
  printf '%s\n' "$out" >&2
  echo "Installing into $folder failed." >&2
  exit 1
fi
printf '%s\n' "$out" | grep -v -e "^-- Up-to-date" -e "^-- Install configuration" || true
echo "Program folder: $folder"
bash scripts/install-launcher.sh "$folder"

hint() {
  echo "$1"
  echo "Start Quillmere on a desktop with:"
  echo "    $folder/Quillmere"
  echo "or, without a display, under a virtual one:"
  echo "    xvfb-run -a $folder/Quillmere"
}

# The windows need an X display (XWayland on a Wayland desktop).
if [ -z "${DISPLAY:-}" ]; then
  if [ -n "${WAYLAND_DISPLAY:-}" ]; then
    hint "Installed. This Wayland session offers no X display (DISPLAY is empty)."
  else
    hint "Installed. There is no display here (DISPLAY and WAYLAND_DISPLAY are empty)."
  fi
  exit 0
fi
if ! xdpyinfo >/dev/null 2>&1; then
  hint "Installed. The display $DISPLAY cannot be reached."
  exit 0
fi

log="$repo/$build/Quillmere.log"
QT_QPA_PLATFORM=xcb setsid "$folder/Quillmere" >"$log" 2>&1 </dev/null &
pid=$!
# A toolkit failure ends the program at once; give it a moment to show itself.
sleep 2
if kill -0 "$pid" 2>/dev/null; then
  echo "Quillmere is running (process $pid); its output goes to $log."
  exit 0
fi
status=0
wait "$pid" || status=$?
if [ "$status" -eq 0 ]; then
  # A second copy ends silently while the first one runs.
  echo "Quillmere ended at once: a copy of it is probably running already."
  exit 0
fi
echo "Quillmere could not start (exit status $status):" >&2
cat "$log" >&2
exit "$status"
