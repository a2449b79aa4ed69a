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
for tool in Xvfb xdotool xclip; do
  command -v "$tool" >/dev/null 2>&1 || { echo "e2e: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
xvfb_pid=""
app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "e2e: $*"; echo "--- program output"; cat "$work/err" 2>/dev/null; exit 1; }

. "$(dirname "$0")/../support/xvfb.sh"
. "$(dirname "$0")/../support/report-clipboard.sh"
xvfb_start "$work"

# The program keeps its history beside itself: run a copy from a folder of its own.
mkdir -p "$work/bin"
cp "$iislog" "$work/bin/iislog"
printf '/var/log/first\r\n%s\r\n' "$samples" >"$work/bin/DefaultDir.txt"
unset IISLOG_BACKEND IISLOG_BENCH
export LSAN_OPTIONS="suppressions=$(dirname "$0")/lsan.supp:${LSAN_OPTIONS:-}"
"$work/bin/iislog" >"$work/out" 2>"$work/err" &
app_pid=$!

wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tarvel.*V1[.]0$' | head -n 1)
[ -n "$wid" ] || fail "the main window did not appear"
shoot() { [ -n "$shots" ] && xwd -silent -id "$wid" | /usr/bin/convert xwd:- "$shots/$1.png"; return 0; }
# The client area starts below the caption: the window is the client (754 x 573) plus the frame.
eval "$(xdotool getwindowgeometry --shell "$wid")"
left=$(( (WIDTH - 754) / 2 ))
top=$(( HEIGHT - 573 - left ))
sleep 0.5
shoot before

# "分析" analyses the folder in the box; the report, copied, is what iislog-report prints.
"$report" --header "$samples" >"$work/expected" || fail "iislog-report failed"
copy_report "$wid" "$left" "$top" "$work/expected" "$work/clipboard" \
  || fail "the clipboard differs from iislog-report --header"
shoot after

# The folder was already the history's last line: the history is unchanged (CR LF lines).
printf '/var/log/first\r\n%s\r\n' "$samples" >"$work/history.expected"
cmp -s "$work/bin/DefaultDir.txt" "$work/history.expected" || fail "DefaultDir.txt is $(od -c "$work/bin/DefaultDir.txt" | head -5)"

# Closing the window ends the program.
xdotool key --window "$wid" alt+F4 >/dev/null 2>&1
kill "$app_pid" 2>/dev/null
wait "$app_pid" 2>/dev/null
app_pid=""
echo "e2e: ok"
