#!/bin/sh
# Screenshots of the real program: the tooltip of a result line, a record found
# by words of its text with those words marked, the 編集 menu in browsing mode,
# the question before a record is deleted, and the windows after deleting it.
# Usage: scripts/screenshots/delete.sh BUILD_DIR [OUTPUT_FOLDER]
set -eu
. "$(dirname "$0")/xvfb.sh"
program_folder
mkdir -p "$data/2024"
python3 - "$data" <<'PY'
import sys
folder = sys.argv[1]
records = [("2024-05-01T09:30:00", "仕事 会議", "定例会議。\r\n来週までに会議の資料をまとめる。\r\n会議室は三階。"),
           ("2024-05-02T20:15:00", "日記", "雨の一日。\r\n夕方に買い物。"),
           ("2024-05-03T08:00:00", "仕事", "朝の打ち合わせ。会議の時間を変更した。")]
body = "".join('<log date="%s+09:00" category="%s" href="">%s</log>' % r for r in records)
data = '<?xml version="1.0" encoding="Shift_JIS"?>\r\n<diary>' + body + "</diary>\r\n"
open(folder + "/2024/05.diary", "wb").write(data.encode("cp932"))
dates = [r[0].replace("-", "/").replace("T", " ") for r in records]
open(folder + "/logdate.list", "wb").write(("\r\n".join(dates) + "\r\n").encode("cp932"))
PY
cat > "$program/steps.sh" <<STEPS
cd "$program"
./Quillmere & pid=\$!
sleep 3
xdotool mousemove 605 527 click 1   # 閲覧 of the main window at its first place
sleep 2
# No window manager: the main window is moved out from under the record list.
xdotool search --name "閲覧 -" windowmove 380 208
sleep 1
xdotool mousemove 250 274           # the second result line
sleep 3
import -window root "$out/result-tooltip.png"
xdotool mousemove 80 417 click 1    # 文字 of the record list
xdotool type "会議"
xdotool key Return
sleep 1
xdotool mousemove 250 260 click 1   # the first result
sleep 1
import -window root "$out/marked-words.png"
xdotool mousemove 500 216 click 1   # 編集 of the main window
sleep 1
import -window root "$out/edit-menu-browsing.png"
xdotool mousemove 525 327 click 1   # 削除(D)
sleep 2
import -window root "$out/delete-question.png"
xdotool key Return
sleep 2
import -window root "$out/after-delete.png"
kill \$pid; wait \$pid || true
cp "$user/2024/05.diary.bak" "$out/05.diary.bak" 2>/dev/null || true
STEPS
under_xvfb sh "$program/steps.sh"
