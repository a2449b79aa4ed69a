#!/usr/bin/env bash
# The main window's folder box in the real program under a private Xvfb display: typing into the
# box completes from the history (the completed tail is selected, so Ctrl+C in the box copies
# it), a folder with a Chinese name is typed through text input and completed too, "分析" then
# analyses the typed folder (its rows are read back with Ctrl+C in the report list and compared
# with `iislog-report --header`), and the history file is unchanged.
# Exit 77 (skipped) when Xvfb, xdotool or xclip is missing.
#   folderbox-e2e.sh IISLOG IISLOG_REPORT SAMPLE_FOLDER [SHOTS_FOLDER]
set -u
iislog=${1:?usage: folderbox-e2e.sh IISLOG IISLOG_REPORT SAMPLE_FOLDER [SHOTS_FOLDER]}
report=${2:?}
samples=${3:?}
shots=${4:-}
. "$(dirname "$0")/../support/e2e.sh"
. "$(dirname "$0")/../support/report-clipboard.sh"
e2e_require folderbox-e2e Xvfb xdotool xclip
e2e_setup

# Two folders of the same logs: one under a Chinese name. The history shows neither at start.
chinese="$work/日志/W3SVC1"
mkdir -p "$chinese"
cp "$samples"/*.log "$chinese/"
printf '%s\r\n%s\r\n/var/log/first\r\n' "$samples" "$chinese" >"$work/bin/DefaultDir.txt"
cp "$work/bin/DefaultDir.txt" "$work/history.expected"
e2e_start "$iislog"
e2e_main_window
shoot() { [ -n "$shots" ] && xwd -silent -id "$wid" | /usr/bin/convert xwd:- "$shots/$1.png"; return 0; }
e2e_client_origin "$wid" 754 573
sleep 0.5

# Ctrl held apart from the letter, as a person types it.
ctrl() { xdotool keydown ctrl; sleep 0.1; xdotool key "$1"; sleep 0.1; xdotool keyup ctrl; sleep 0.1; }
clipboard() { timeout 2 xclip -o -selection clipboard 2>/dev/null; }

# The folder box lies at client (136, 11), 433 x 22; its text area ends before the drop button.
# A click sent while the window settles may be lost: click until the box has the focus, which
# shows as the whole text being selected and copied.
for _ in $(seq 1 20); do
  xdotool mousemove --window "$wid" $((left + 300)) $((top + 22)) click 1
  sleep 0.2
  ctrl a
  ctrl c
  [ "$(clipboard)" = "/var/log/first" ] && break
  sleep 0.2
done
[ "$(clipboard)" = "/var/log/first" ] || fail "the folder box did not take the focus (clipboard: $(clipboard))"

# Type the start of the Chinese folder at full speed: the completion held back by the 200 ms gate
# runs once the typing stops, and selects the rest of the history entry.
ascii="$work/"
xdotool type --delay 15 "$ascii"
sleep 0.6
ctrl c
[ "$(clipboard)" = "${chinese#"$ascii"}" ] || fail "completion: the selected tail is '$(clipboard)', expected '${chinese#"$ascii"}'"
# Then the Chinese character, which replaces the selected tail and completes again. xdotool types
# a character that the keyboard map lacks by binding it to a spare key and unbinding it at once;
# a program that reads the key press only after that (a sanitizer build on a busy machine) gets
# no character, as its text-input trace shows. Such a lost character is typed again.
tail="志/W3SVC1"
for _ in 1 2 3 4 5; do
  xdotool type "日"
  sleep 0.6
  ctrl c
  [ "$(clipboard)" = "${chinese#"$ascii"}" ] || break
done
shoot typing
[ "$(clipboard)" = "$tail" ] || fail "completion: the selected tail is '$(clipboard)', expected '$tail'"

# "分析" analyses the completed folder.
"$report" --header "$chinese" >"$work/expected" || fail "iislog-report failed"
copy_report "$wid" "$left" "$top" "$work/expected" "$work/clipboard" \
  || fail "the clipboard differs from iislog-report --header"
shoot analysed

# The folder was in the history: the history is unchanged (CR LF lines).
cmp -s "$work/bin/DefaultDir.txt" "$work/history.expected" || fail "DefaultDir.txt is $(od -c "$work/bin/DefaultDir.txt" | head -5)"

e2e_finish
