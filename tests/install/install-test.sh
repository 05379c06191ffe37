#!/usr/bin/env bash
# Installs the program folder from a finished build into a scratch folder and checks what a
# user depends on: the files the programs look for beside themselves, a manual a browser can
# read, a data folder that survives installing again, and an install over a running program.
#   install-test.sh BUILD_DIR
set -uo pipefail

build=$1
scratch=$(mktemp -d)
folder=$scratch/Quillmere
pid=""
failures=0

cleanup() {
  if [ -n "$pid" ]; then
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  fi
  rm -rf "$scratch"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

install_folder() {
  if ! out=$(cmake --install "$build" --prefix "$folder" 2>&1); then
    echo "$out"
    fail "cmake --install $*"
    return 1
  fi
}

# --- The layout the programs expect (env/Folders, the windows' pictures, the help menu).
install_folder "into an empty folder" || exit 1
for program in Quillmere update; do
  [ -f "$folder/$program" ] && [ -x "$folder/$program" ] || fail "$program is not an executable in the program folder"
done
for picture in pencil.bmp eye.bmp iconize.bmp link.ico setup.bmp close.bmp shortcut.bmp \
  up_day.ico down_day.ico up_month.ico down_month.ico; do
  [ -s "$folder/icons/$picture" ] || fail "icons/$picture is missing or empty"
done
manual=$folder/readme.html
if [ ! -s "$manual" ]; then
  fail "readme.html is missing beside the program"
else
  iconv -f UTF-8 -t UTF-8 "$manual" >/dev/null 2>&1 || fail "readme.html is not valid UTF-8"
  grep -qi '<meta charset="utf-8">' "$manual" || fail "readme.html does not declare its encoding"
  # The manual is opened from disk, possibly with no network: nothing may be fetched.
  if grep -Eqi '<(link|script|img|iframe|object)\b|src=|url\(' "$manual"; then
    fail "readme.html refers to external resources"
  fi
  if command -v xmllint >/dev/null; then
    xmllint --html --noout "$manual" 2>"$scratch/lint" || true
    [ -s "$scratch/lint" ] && { cat "$scratch/lint"; fail "readme.html is not well-formed HTML"; }
  fi
fi

# --- A second install keeps everything a user has written below the program folder.
user=$(id -un 2>/dev/null || echo User)
data=$folder/$user
mkdir -p "$data/2001"
printf '[Quillmere]\r\nIconize=True\r\n' >"$data/Quillmere.ini"
printf '2001/10/07 09:05:03\r\n' >"$data/logdate.list"
printf '<?xml version="1.0" encoding="Shift_JIS"?>\r\n<diary/>\r\n' >"$data/2001/10.diary"
printf 'typed\0cat\0' >"$data/inputarea.txt"
cp -a "$data" "$scratch/data-before"
printf 'old' >"$folder/icons/pencil.bmp" # an outdated copy in the folder is replaced
install_folder "over an existing folder" || exit 1
diff -r "$scratch/data-before" "$data" >/dev/null || fail "installing again changed the data folder"
cmp -s "$folder/icons/pencil.bmp" "$(dirname "$0")/../../resources/icons/pencil.bmp" ||
  fail "installing again did not bring the pictures up to date"
rm -rf "$data"

# --- The installed program finds its folder: it creates the user's data folder beside itself.
runtime=$scratch/runtime
mkdir -m 0700 "$runtime"
XDG_RUNTIME_DIR=$runtime QT_QPA_PLATFORM=offscreen "$folder/Quillmere" >"$scratch/out" 2>&1 &
pid=$!
for _ in $(seq 1 600); do
  [ -f "$data/inputarea.txt" ] && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if [ ! -f "$data/inputarea.txt" ]; then
  cat "$scratch/out"
  fail "the installed program did not open its data folder $data"
else
  [ "$(stat -c %a "$data")" = 700 ] || fail "the data folder is readable by other users"
  # Re-running the run command while the program is open installs over its executable.
  touch -d '1 hour ago' "$folder/Quillmere"
  install_folder "while the program runs" || true
  cmp -s "$folder/Quillmere" "$build/Quillmere" || fail "the running program's executable was not replaced"
  kill -0 "$pid" 2>/dev/null || fail "the program ended while its folder was installed again"
  [ -d "$data" ] || fail "the data folder vanished while installing again"
fi

# --- The launcher and the theme icons, for a program folder whose path needs quoting.
share=$scratch/share
odd="$scratch/my \$HOME \"q\""
if ! XDG_DATA_HOME=$share bash "$(dirname "$0")/../../scripts/install-launcher.sh" "$odd" >/dev/null; then
  fail "the launcher could not be installed"
else
  entry=$share/applications/quillmere.desktop
  for key in 'Name=Quillmere' 'Categories=Office;' 'StartupWMClass=Quillmere' 'Icon=quillmere'; do
    grep -qxF "$key" "$entry" || fail "the launcher lacks $key"
  done
  grep -q '^Name\[ja\]=.' "$entry" && grep -q '^Comment\[ja\]=.' "$entry" || fail "the launcher has no Japanese name or comment"
  grep -qxF "Exec=\"$scratch/my \\\\\$HOME \\\\\"q\\\\\"/Quillmere\"" "$entry" || fail "the launcher's Exec is not the quoted program path: $(grep ^Exec= "$entry")"
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$entry" || fail "the launcher does not validate"
  fi
  for n in 16 32 48 64 128 256; do
    [ "$(identify -format '%wx%h' "$share/icons/hicolor/${n}x${n}/apps/quillmere.png" 2>/dev/null)" = "${n}x${n}" ] ||
      fail "the ${n}-pixel theme icon is missing or of another size"
  done
  [ -s "$share/icons/hicolor/scalable/apps/quillmere.svg" ] || fail "the scalable theme icon is missing"
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "install: all checks passed"
