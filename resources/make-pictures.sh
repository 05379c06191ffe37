#!/usr/bin/env bash
# Draws every picture of the icon folder and the program icon with ImageMagick.
# Each picture is drawn at four times its size and scaled down, so the edges are
# smooth; the button pictures keep a transparent background (32-bit BMP with alpha).
# Usage: bash resources/make-pictures.sh   (writes into resources/icons and resources/)
set -euo pipefail
cd "$(dirname "$0")"
mkdir -p icons
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# draw NAME SIZE PRIMITIVES... : renders the primitives on a 4x canvas.
draw() {
    local name=$1 size=$2
    shift 2
    local big=$((size * 4))
    convert -size ${big}x${big} xc:none -strokewidth 4 "$@" \
        -filter Lanczos -resize ${size}x${size} "$work/$name.png"
}

# A 32-bit BMP that keeps the alpha channel.
bmp() { convert "$work/$1.png" -define bmp:format=bmp4 "icons/$1.bmp"; }
ico() { convert "$work/$1.png" "icons/$1.ico"; }

# Pencil: a yellow body lying from lower left to upper right, a pink eraser and a sharpened tip.
draw pencil 24 \
    -fill '#f2c230' -stroke '#6b4f00' -draw 'polygon 30,78 70,16 84,26 44,88' \
    -fill '#f7dc6f' -stroke none -draw 'polygon 36,74 72,20 77,23 41,78' \
    -fill '#e88aa0' -stroke '#6b4f00' -draw 'polygon 70,16 76,6 90,16 84,26' \
    -fill '#9aa0a6' -stroke '#555555' -draw 'polygon 66,22 70,16 84,26 80,32' \
    -fill '#f0d0a0' -stroke '#6b4f00' -draw 'polygon 30,78 44,88 22,94' \
    -fill '#333333' -stroke none -draw 'polygon 22,94 26,86 30,90'
bmp pencil

# Eye: an almond with a blue iris and a dark pupil.
draw eye 24 \
    -fill white -stroke '#1d3557' -strokewidth 5 \
    -draw 'path "M 6,48 Q 48,6 90,48 Q 48,90 6,48 Z"' \
    -fill '#3a86c8' -stroke '#1d3557' -strokewidth 3 -draw 'circle 48,48 48,29' \
    -fill '#111111' -stroke none -draw 'circle 48,48 48,39' \
    -fill white -draw 'circle 42,42 42,38'
bmp eye

# Shrink: a window outline and an arrow pointing into a small square at its lower left.
draw iconize 24 \
    -fill none -stroke '#1d3557' -strokewidth 5 -draw 'rectangle 10,10 86,86' \
    -fill '#1d3557' -stroke none -draw 'rectangle 10,10 86,22' \
    -fill '#3a86c8' -stroke '#1d3557' -strokewidth 4 -draw 'rectangle 16,58 40,80' \
    -fill none -stroke '#d62828' -strokewidth 8 -draw 'line 78,30 52,56' \
    -fill '#d62828' -stroke none -draw 'polygon 40,68 44,44 64,64'
bmp iconize

# Link: two chain links, tilted by 45 degrees.
draw link 16 \
    -fill none -stroke '#1d6fb8' -strokewidth 7 \
    -draw 'translate 32,32 rotate -45 roundrectangle -29,-10 5,10 10,10 roundrectangle -5,-10 29,10 10,10'
ico link

# Check: the accept mark of the dialogs.
draw setup 24 \
    -fill none -stroke '#2a9d3f' -strokewidth 14 -draw 'stroke-linecap round stroke-linejoin round path "M 16,50 L 38,72 L 82,22"'
bmp setup

# Cross: the close mark.
draw close 24 \
    -fill none -stroke '#d62828' -strokewidth 14 -draw 'line 20,20 76,76' -draw 'line 76,20 20,76'
bmp close

# Star: a shortcut for a date range.
draw shortcut 24 \
    -fill '#f4c430' -stroke '#9a6a00' -strokewidth 4 \
    -draw 'polygon 48,6 59,36 91,37 66,57 75,88 48,70 21,88 30,57 5,37 37,36'
bmp shortcut

# Arrows: one triangle for a day, two for a month.
draw up_day 16 -fill '#1d6fb8' -stroke '#0d3b66' -draw 'polygon 32,14 54,48 10,48'
draw down_day 16 -fill '#1d6fb8' -stroke '#0d3b66' -draw 'polygon 32,50 54,16 10,16'
draw up_month 16 -fill '#2a9d3f' -stroke '#145a24' \
    -draw 'polygon 32,4 54,30 10,30' -draw 'polygon 32,30 54,58 10,58'
draw down_month 16 -fill '#2a9d3f' -stroke '#145a24' \
    -draw 'polygon 32,60 54,34 10,34' -draw 'polygon 32,34 54,6 10,6'
for n in up_day down_day up_month down_month; do ico $n; done

# Program icon: an open record book with a quill.
draw quillmere 32 \
    -fill '#1d3557' -stroke none -draw 'roundrectangle 6,22 122,118 8,8' \
    -fill white -stroke '#8d99ae' -strokewidth 3 \
    -draw 'polygon 12,26 62,32 62,112 12,106' -draw 'polygon 66,32 116,26 116,106 66,112' \
    -stroke '#8d99ae' -strokewidth 3 \
    -draw 'line 20,48 54,52' -draw 'line 20,62 54,66' -draw 'line 20,76 54,80' \
    -draw 'line 74,52 108,48' -draw 'line 74,66 108,62' \
    -fill '#e9c46a' -stroke '#7a5c00' -strokewidth 3 \
    -draw 'path "M 118,4 Q 70,20 66,84 Q 100,56 118,4 Z"' \
    -fill none -stroke '#7a5c00' -strokewidth 4 -draw 'line 112,12 62,96'
cp "$work/quillmere.png" quillmere.png
convert "$work/quillmere.png" \( "$work/quillmere.png" -resize 16x16 \) quillmere.ico

# The desktop's icon theme: quillmere.svg (drawn by hand after the program icon) rendered
# once large by headless Chromium, which draws SVG, then scaled down to each theme size.
if command -v chromium >/dev/null; then
    printf '<html><body style="margin:0"><img src="file://%s" style="width:1024px;height:1024px;display:block"></body></html>' \
        "$(pwd)/quillmere.svg" >"$work/icon.html"
    chromium --headless --no-sandbox --disable-gpu --hide-scrollbars \
        --default-background-color=00000000 --window-size=1024,1024 \
        --screenshot="$work/icon1024.png" "file://$work/icon.html" >/dev/null 2>&1
    for n in 16 32 48 64 128 256; do
        mkdir -p "hicolor/${n}x${n}"
        convert "$work/icon1024.png" -filter Lanczos -resize ${n}x${n} "hicolor/${n}x${n}/quillmere.png"
    done
else
    echo "chromium is missing: the theme icons in hicolor/ were left as they were" >&2
fi
echo "pictures written to $(pwd)/icons and the program icon to $(pwd)"
