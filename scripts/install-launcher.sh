#!/usr/bin/env bash
# Installs, for the current user, the desktop launcher of Quillmere and its icon in the
# hicolor theme, so desktops list it under Office with its own icon.
#
#   bash scripts/install-launcher.sh PROGRAM_FOLDER
#
# Writes $XDG_DATA_HOME (else ~/.local/share)/applications/quillmere.desktop and
# icons/hicolor/<n>x<n>/apps/quillmere.png plus icons/hicolor/scalable/apps/quillmere.svg.
set -euo pipefail

folder=$(realpath -m -- "$1")
repo=$(cd "$(dirname "$0")/.." && pwd)
data=${XDG_DATA_HOME:-$HOME/.local/share}

for n in 16 32 48 64 128 256; do
  install -D -m 0644 "$repo/resources/hicolor/${n}x${n}/quillmere.png" \
    "$data/icons/hicolor/${n}x${n}/apps/quillmere.png"
done
install -D -m 0644 "$repo/resources/quillmere.svg" "$data/icons/hicolor/scalable/apps/quillmere.svg"

# Exec takes the path in double quotes, with ", `, $ and \ escaped by a backslash; the file
# doubles that backslash again, as every backslash of a string value.
exec_path=$(printf '%s' "$folder/Quillmere" | sed -e 's/[\\"`$]/\\\\&/g')
mkdir -p "$data/applications"
cat >"$data/applications/quillmere.desktop" <<ENTRY
[Desktop Entry]
Type=Application
Version=1.0
Name=Quillmere
Name[ja]=Quillmere 記録帳
GenericName=Record book
GenericName[ja]=記録帳
Comment=Write short dated records and find them again by date, category and words
Comment[ja]=日時付きの短い記録を書きため、日付・分類・言葉で探して読み返す記録帳
Exec="$exec_path"
Icon=quillmere
Terminal=false
Categories=Office;
StartupWMClass=Quillmere
ENTRY

# Menus and docks pick up the new entry and icons sooner with fresh caches; both are optional.
command -v update-desktop-database >/dev/null && update-desktop-database -q "$data/applications" || true
command -v gtk-update-icon-cache >/dev/null && gtk-update-icon-cache -q -t "$data/icons/hicolor" || true
echo "Launcher: $data/applications/quillmere.desktop"
