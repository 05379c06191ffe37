#!/bin/sh
# Screenshot of the message box for a broken month file of about 40 KB (every
# record on one line, as the program writes them) on a 1024x768 screen, and of
# the record list after the box was closed.
# Usage: scripts/screenshots/parse-error.sh BUILD_DIR [OUTPUT_FOLDER]
set -eu
. "$(dirname "$0")/xvfb.sh"
program_folder
mkdir -p "$data/2024"
python3 - "$data" <<'PY'
import sys
folder = sys.argv[1]
records, dates = [], []
for i in range(325):
    day, hour, minute = 1 + i // 200, (i // 60) % 24, i % 60
    dates.append("2024/05/%02d %02d:%02d:00" % (day, hour, minute))
    text = "壊れた <記録 ここで" if i == 150 else "今日の記録 %d。会議の議事録をまとめて、次回の予定を確認した。" % i
    records.append('<log date="2024-05-%02dT%02d:%02d:00+09:00" category="仕事" href="">%s</log>'
                   % (day, hour, minute, text))
data = '<?xml version="1.0" encoding="Shift_JIS"?>\r\n<diary>' + "".join(records) + "</diary>\r\n"
open(folder + "/2024/05.diary", "wb").write(data.encode("cp932"))
open(folder + "/logdate.list", "wb").write(("\r\n".join(dates) + "\r\n").encode("cp932"))
PY
cat > "$program/steps.sh" <<STEPS
cd "$program"
./Quillmere & pid=\$!
sleep 3
xdotool mousemove 605 527 click 1   # 閲覧 of the main window at its first place
sleep 2
xdotool mousemove 80 417 click 1    # 文字 of the record list
xdotool type a
xdotool key Return
sleep 3
import -window root "$out/parse-error-box.png"
xdotool key Return
sleep 1
import -window root "$out/parse-error-after.png"
kill \$pid; wait \$pid || true
STEPS
under_xvfb sh "$program/steps.sh"
