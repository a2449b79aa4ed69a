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
for tool in Xvfb openbox xdotool xclip xprop; do
  command -v "$tool" >/dev/null 2>&1 || { echo "seldir-e2e: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
xvfb_pid=""
wm_pid=""
app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { { echo "seldir-e2e: $*"; echo "--- program output"; cat "$work/err" 2>/dev/null; } >&2; exit 1; }

. "$(dirname "$0")/../support/xvfb.sh"
. "$(dirname "$0")/../support/report-clipboard.sh"
xvfb_start "$work"
xvfb_openbox "$work"

# Two sibling folders: "a" is where the box starts, "b" holds the logs the dialog picks.
mkdir -p "$work/logs/a" "$work/logs/b" "$work/bin"
cp "$samples"/*.log "$work/logs/b/"
a="$work/logs/a"
b="$work/logs/b"
cp "$iislog" "$work/bin/iislog"
printf '/var/log/first\r\n%s\r\n' "$a" >"$work/bin/DefaultDir.txt"
unset IISLOG_BACKEND IISLOG_BENCH
export LSAN_OPTIONS="suppressions=$(dirname "$0")/lsan.supp:${LSAN_OPTIONS:-}"
"$work/bin/iislog" >"$work/out" 2>"$work/err" &
app_pid=$!

wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tarvel.*V1[.]0$' | head -n 1)
[ -n "$wid" ] || fail "the main window did not appear"
# The client area starts below the caption: the window is the client (754 x 573) plus the frame.
eval "$(xdotool getwindowgeometry --shell "$wid")"
left=$(( (WIDTH - 754) / 2 ))
top=$(( HEIGHT - 573 - left ))
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
  for _ in 1 2 3; do
    xdotool mousemove --window "$wid" $((left + 589)) $((top + 21)) click 1
    for _ in $(seq 1 100); do
      dlg=$(find_dialog)
      [ -n "$dlg" ] && break 2
      sleep 0.05
    done
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

xdotool key --window "$wid" alt+F4 >/dev/null 2>&1
kill "$app_pid" 2>/dev/null
wait "$app_pid" 2>/dev/null
app_pid=""
echo "seldir-e2e: ok"
