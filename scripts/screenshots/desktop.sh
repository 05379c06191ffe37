#!/usr/bin/env bash
# Screenshots of the installed program as a user meets it on a Japanese desktop, under Xvfb:
# the input area's context menu, a question box (はい / いいえ), the export file dialog, the
# font dialog on a first start and its sample at 16 points, the manual in the program's own
# window (no opener installed) and at its section on new versions, a keyboard selection in
# browsing mode, the iconized window, the launcher's icon at 48 pixels and the manual in
# Chromium, page by page.
# Needs xdotool. Usage: scripts/screenshots/desktop.sh BUILD_DIR [OUTPUT_FOLDER]
set -euo pipefail
build=$(realpath "${1:?build directory}")
out=$(realpath -m "${2:-screenshots}")
repo=$(cd "$(dirname "$0")/../.." && pwd)
mkdir -p "$out"
scratch=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

folder=$scratch/Quillmere
cmake --install "$build" --prefix "$folder" >/dev/null
# One record, so the record list finds something to export.
data=$folder/$(id -un)
mkdir -p "$data/2001"
printf '<?xml version="1.0" encoding="Shift_JIS"?>\r\n<diary><log date="2001-10-07T09:05:03+09:00" category="memo">hello</log></diary>\r\n' >"$data/2001/10.diary"
printf '2001/10/07 09:05:03\r\n' >"$data/logdate.list"
XDG_DATA_HOME=$scratch/share bash "$repo/scripts/install-launcher.sh" "$folder" >/dev/null

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=$display
sleep 1
# No xdg-open on the path: the desktop has nothing to open the manual with.
mkdir -p "$scratch/bin" "$scratch/runtime"
chmod 700 "$scratch/runtime"
PATH=$scratch/bin:/usr/bin/X11 XDG_RUNTIME_DIR=$scratch/runtime QT_QPA_PLATFORM=xcb \
  "$folder/Quillmere" >"$scratch/out" 2>&1 &
pids+=($!)

shot() { sleep 1; import -window root "$out/$1.png"; echo "$out/$1.png"; }
window() { timeout 10 xdotool search --sync --onlyvisible --name "$1" | head -1; }
# Without a window manager nothing moves the keyboard focus: give it to the window first.
keys() {
  local target=$1
  shift
  xdotool windowfocus --sync "$target"
  xdotool key --delay 300 "$@"
}

main=$(window 'Quillmere - 記録 -')
xdotool windowfocus --sync "$main"
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool mousemove $((X + 100)) $((Y + 90)) click 3
shot desktop-context-menu
xdotool key Escape
keys "$main" alt+s f
shot desktop-font-dialog
# The sample at 16 points wraps into a second line, which must show whole.
xdotool key --delay 300 Tab 1 6
shot desktop-font-dialog-16
xdotool key Escape
keys "$main" F1
manual=$(window 'Quillmere - 取扱説明書 -')
shot desktop-manual-viewer
# No distribution address is built in: the item shows the manual's section on new versions.
keys "$main" alt+h j
shot desktop-manual-new-versions
xdotool windowunmap "$manual"
keys "$main" ctrl+b
list=$(window '過去の記録')
keys "$list" alt+t r
shot desktop-question-box
keys "$(window 'Quillmere データ修復ツール')" Escape
keys "$list" alt+t e
shot desktop-file-dialog
xdotool key Escape
# Browsing mode: the found record shown read-only, its first line selected with the keyboard.
eval "$(xdotool getwindowgeometry --shell "$list")"
xdotool mousemove $((X + 250)) $((Y + 52)) click 1
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool mousemove $((X + 300)) $((Y + 60)) click 1
keys "$main" ctrl+Home shift+End
shot desktop-browsing-selection
keys "$main" ctrl+i
shot desktop-iconized-window
icon=$scratch/share/icons/hicolor/48x48/apps/quillmere.png
convert -size 96x96 xc:'#2e3440' "$icon" -gravity center -composite "$out/desktop-launcher-icon-48.png"
echo "$out/desktop-launcher-icon-48.png"
if command -v chromium >/dev/null; then
  # The whole page, cut into screens to look at.
  chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --window-size=1024,14000 \
    --screenshot="$scratch/manual.png" "file://$folder/readme.html" >/dev/null 2>&1
  convert "$scratch/manual.png" -trim +repage -bordercolor white -border 16 -crop x1500 +repage \
    "$out/desktop-manual-browser-%d.png"
  ls "$out"/desktop-manual-browser-*.png
fi
