#!/usr/bin/env bash
# The real program end to end under a private Xvfb display: a prepared history whose last line
# is a folder of sample logs, a click on "分析", Ctrl+C in the report list, and the clipboard
# compared with `iislog-report --header` for that folder; then the history file.
# Exit 77 (skipped) when Xvfb, xdotool or xclip is missing.
#   window-e2e.sh IISLOG IISLOG_REPORT SAMPLE_FOLDER [SHOTS_FOLDER]
set -u
iislog=${1:?usage: window-e2e.sh IISLOG IISLOG_REPORT SAMPLE_FOLDER [SHOTS_FOLDER]}
report=${2:?}
samples=${3:?}
shots=${4:-}
. "$(dirname "$0")/../support/e2e.sh"
. "$(dirname "$0")/../support/report-clipboard.sh"
e2e_require window-e2e Xvfb xdotool xclip xsetroot
e2e_setup

printf '/var/log/first\r\n%s\r\n' "$samples" >"$work/bin/DefaultDir.txt"
xsetroot -solid "#FF00FF"
e2e_start "$iislog"
e2e_main_window
shoot() { [ -n "$shots" ] && xwd -silent -id "$wid" | /usr/bin/convert xwd:- "$shots/$1.png"; return 0; }
# The client area (754 x 573) inside the frame.
e2e_client_origin "$wid" 754 573
sleep 0.5
shoot before

# The window's outline reached the server with the window: its rounded corners show the root
# behind it (painted magenta before the program started), and the frame beside them is drawn.
root_pixel() { xwd -root -silent | /usr/bin/convert xwd:- -crop "1x1+$1+$2" -depth 8 txt:- | tail -1 | grep -o '#[0-9A-F]\{6\}'; }
for corner in "$X $Y" "$((X + 1)) $((Y + 1))"; do
  c=$(root_pixel $corner)
  [ "$c" = "#FF00FF" ] || fail "the window's corner pixel ($corner) is ${c:-unreadable}, not the root's: the window is not shaped"
done
c=$(root_pixel $((X + 3)) $((Y + 1)))
[ -n "$c" ] && [ "$c" != "#FF00FF" ] || fail "the frame beside the corner is ${c:-unreadable}"

# "分析" analyses the folder in the box; the report, copied, is what iislog-report prints.
"$report" --header "$samples" >"$work/expected" || fail "iislog-report failed"
copy_report "$wid" "$left" "$top" "$work/expected" "$work/clipboard" \
  || fail "the clipboard differs from iislog-report --header"
shoot after

# The folder was already the history's last line: the history is unchanged (CR LF lines).
printf '/var/log/first\r\n%s\r\n' "$samples" >"$work/history.expected"
cmp -s "$work/bin/DefaultDir.txt" "$work/history.expected" || fail "DefaultDir.txt is $(od -c "$work/bin/DefaultDir.txt" | head -5)"

# Closing the window ends the program.
e2e_finish
