#!/usr/bin/env bash
# The folder chooser of the real program end to end, under a private Xvfb display with openbox:
# the history's last line is folder "a" (empty), so the folder box shows it. ">>" opens the
# skinned dialog on "a"; Escape leaves everything as it was; ">>" again, Down moves to the next
# folder "b" (a copy of the sample logs) and Enter accepts it. The box's text is then checked
# through "分析" and Ctrl+C of the report (compared with `iislog-report --header b`), and
# DefaultDir.txt through its bytes (b appended, since the history was not empty).
# Exit 77 (skipped) when Xvfb, openbox, xdotool or xclip is missing.
#   seldir-e2e.sh IISLOG IISLOG_REPORT SAMPLE_FOLDER [SHOTS_FOLDER]
set -u
iislog=${1:?usage: seldir-e2e.sh IISLOG IISLOG_REPORT SAMPLE_FOLDER [SHOTS_FOLDER]}
report=${2:?}
samples=${3:?}
shots=${4:-}
. "$(dirname "$0")/../support/e2e.sh"
. "$(dirname "$0")/../support/report-clipboard.sh"
e2e_require seldir-e2e Xvfb openbox xdotool xclip xprop
e2e_setup openbox

# Two sibling folders: "a" is where the box starts, "b" holds the logs the dialog picks.
mkdir -p "$work/logs/a" "$work/logs/b"
cp "$samples"/*.log "$work/logs/b/"
a="$work/logs/a"
b="$work/logs/b"
printf '/var/log/first\r\n%s\r\n' "$a" >"$work/bin/DefaultDir.txt"
e2e_start "$iislog"
e2e_main_window
# The client area (754 x 573) inside the frame.
e2e_client_origin "$wid" 754 573
sleep 0.5

# The dialog: the other visible window whose title names IIS (xdotool's name patterns do not
# take the Chinese part of "选择IIS日志目录" in every locale, so the title is compared whole here).
find_dialog() {
  local w
  for w in $(xdotool search --onlyvisible --name 'IIS' 2>/dev/null); do
    [ "$w" != "$wid" ] && [ "$(xdotool getwindowname "$w" 2>/dev/null)" = "选择IIS日志目录" ] && { echo "$w"; return; }
  done
}
# ">>" lies at client (578, 11), 23 x 21. Opens the dialog and prints its window id.
open_dialog() {
  local dlg=""
  xdotool mousemove --window "$wid" $((left + 589)) $((top + 21)) click 1
  for _ in $(seq 1 100); do
    dlg=$(find_dialog)
    [ -n "$dlg" ] && break
    sleep 0.05
  done
  [ -n "$dlg" ] || fail "the folder dialog did not open"
  # The tree has the focus once the dialog is the active window.
  for _ in $(seq 1 100); do
    [ "$(xdotool getactivewindow 2>/dev/null)" = "$dlg" ] && break
    sleep 0.05
  done
  sleep 0.3
  echo "$dlg"
}
wait_closed() {
  for _ in $(seq 1 100); do
    [ -z "$(find_dialog)" ] && return 0
    sleep 0.05
  done
  fail "the folder dialog did not close"
}
history_is() { # expected lines
  printf '%s\r\n' "$@" >"$work/history.expected"
  cmp -s "$work/bin/DefaultDir.txt" "$work/history.expected" ||
    fail "DefaultDir.txt is $(od -c "$work/bin/DefaultDir.txt" | head -8)"
}

# First run: Escape changes nothing.
dlg=$(open_dialog) || exit 1
active=$(xdotool getactivewindow 2>/dev/null)
[ "$active" = "$dlg" ] || fail "the dialog ($dlg) is not the active window ($active)"
xdotool key Escape
wait_closed
history_is /var/log/first "$a"

# Second run: one folder down, Enter.
dlg=$(open_dialog) || exit 1
if [ -n "$shots" ]; then
  mkdir -p "$shots"
  xwd -root -silent | /usr/bin/convert xwd:- "$shots/seldir-open.png"
fi
xdotool key Down
sleep 0.3
[ -n "$shots" ] && xwd -root -silent | /usr/bin/convert xwd:- "$shots/seldir-moved.png"
xdotool key Return
wait_closed
history_is /var/log/first "$a" "$b"

# The box now holds b: "分析" analyses it.
"$report" --header "$b" >"$work/expected" || fail "iislog-report failed"
copy_report "$wid" "$left" "$top" "$work/expected" "$work/clipboard" \
  || fail "the report is not the one of the chosen folder"
# Analysing a folder already in the history leaves it as it was.
history_is /var/log/first "$a" "$b"

e2e_finish
