#!/bin/sh
# Ends the real program with SIGTERM while the parse-error box of a record
# attempt is up, in an address-sanitizer build, and checks that the sanitizer
# reports nothing, that the program ended by itself and that the unsent input
# was saved. Not part of CI: it needs its own build, made with
#   cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug -DQUILLMERE_TESTS=OFF \
#     -DCMAKE_CXX_FLAGS="-fsanitize=address -fno-omit-frame-pointer" \
#     -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address"
#   cmake --build build/asan --target Quillmere
# Usage: scripts/asan-end-under-box.sh [BUILD_DIR] [SCREENSHOT.png]
set -eu
build=${1:-build/asan}
shot=${2:-}
case $build in /*) ;; *) build=$(pwd)/$build ;; esac
case $shot in /* | '') ;; *) shot=$(pwd)/$shot ;; esac
program=$(mktemp -d)
trap 'rm -rf "$program"' EXIT
cp "$build/Quillmere" "$program/"
cp -r "$(dirname "$0")/../resources/icons" "$program/"
user=$(id -un)
month=$program/$user/$(date +%Y)
mkdir -p "$month"
# The month the record goes to, broken: the record attempt stops at its box.
printf '<?xml version="1.0" encoding="Shift_JIS"?>\r\n<diary><log date="x">unclosed\r\n' \
  >"$month/$(date +%m).diary"

# The one leak of a library below Qt (its D-Bus connection is never freed).
printf 'leak:libdbus-1.so\n' >"$program/leaks.supp"

cat >"$program/steps.sh" <<STEPS
cd "$program"
: >"$program/status.txt"
LSAN_OPTIONS=suppressions=$program/leaks.supp ./Quillmere 2>"$program/stderr.txt" & pid=\$!
sleep 4
xdotool mousemove 500 340 click 1   # into the input area of the main window at its first place
xdotool type --delay 20 "unsent input"
before=\$(xdotool search --onlyvisible --name . | wc -l)
xdotool key ctrl+s
sleep 3
after=\$(xdotool search --onlyvisible --name . | wc -l)
[ \$after -gt \$before ] || echo "FAIL: no box came up for the record attempt" >>"$program/status.txt"
[ -z "$shot" ] || import -window root "$shot"
kill -TERM \$pid
for i in \$(seq 1 100); do kill -0 \$pid 2>/dev/null || break; sleep 0.1; done
if kill -0 \$pid 2>/dev/null; then
  echo "FAIL: still running 10 s after SIGTERM" >>"$program/status.txt"
  kill -KILL \$pid
fi
wait \$pid; echo "exit status \$?" >>"$program/status.txt"
STEPS
XDG_RUNTIME_DIR=$program xvfb-run -a -s "-screen 0 1024x768x24" sh "$program/steps.sh"

status=0
cat "$program/status.txt"

if grep -q "AddressSanitizer" "$program/stderr.txt"; then
  echo "FAIL: the sanitizer reported:"
  cat "$program/stderr.txt"
  status=1
fi
grep -q "exit status 0" "$program/status.txt" || status=1
! grep -q "FAIL" "$program/status.txt" || status=1
if grep -q "unsent input" "$program/$user/inputarea.txt" 2>/dev/null; then
  echo "the unsent input was saved to inputarea.txt"
else
  echo "FAIL: inputarea.txt does not hold the unsent input"
  status=1
fi
[ $status -eq 0 ] && echo "PASS"
exit $status
