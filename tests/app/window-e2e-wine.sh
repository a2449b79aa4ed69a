#!/usr/bin/env bash
# The Windows build of the program end to end under Wine and a private Xvfb display: a prepared
# history whose last line is a folder of sample logs (as a Windows path), a click on "分析",
# Ctrl+C in the report list, and the clipboard compared with `iislog-report.exe --header` for
# that folder; then the history file beside the executable.
# Exit 77 (skipped) when Xvfb, xdotool or xclip is missing.
#   window-e2e-wine.sh WINE_RUN IISLOG_EXE IISLOG_REPORT_EXE SAMPLE_FOLDER [SHOTS_FOLDER]
set -u
wine_run=${1:?usage: window-e2e-wine.sh WINE_RUN IISLOG_EXE IISLOG_REPORT_EXE SAMPLE_FOLDER [SHOTS_FOLDER]}
iislog=${2:?}
report=${3:?}
samples=${4:?}
shots=${5:-}
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

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 1 600); do
  [ -s "$work/display" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || break
  sleep 0.05
done
display=$(head -n 1 "$work/display" 2>/dev/null)
[ -n "$display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$display"
for _ in $(seq 1 600); do
  xdotool getmouselocation >/dev/null 2>&1 && break
  sleep 0.05
done

# Wine shows the Unix file system as drive Z:.
windows_path() { printf 'Z:%s' "$(printf '%s' "$1" | tr '/' '\\')"; }
folder=$(windows_path "$samples")

# The program keeps its history beside itself: run a copy from a folder of its own.
mkdir -p "$work/bin"
cp "$iislog" "$work/bin/iislog.exe"
printf 'C:\\logs\\first\r\n%s\r\n' "$folder" >"$work/bin/DefaultDir.txt"
"$wine_run" "$work/bin/iislog.exe" >"$work/out" 2>"$work/err" &
app_pid=$!

wid=$(timeout 60 xdotool search --sync --onlyvisible --name '^Tarvel.*V1[.]0$' | head -n 1)
[ -n "$wid" ] || fail "the main window did not appear"
shoot() { [ -n "$shots" ] && xwd -silent -id "$wid" | /usr/bin/convert xwd:- "$shots/$1.png"; return 0; }
# The client area starts below the caption: the window is the client (754 x 573) plus the frame.
eval "$(xdotool getwindowgeometry --shell "$wid")"
left=$(( (WIDTH - 754) / 2 ))
top=$(( HEIGHT - 573 - left ))
sleep 1
shoot before

# "分析" lies at client (608, 11), 121 x 22. A click sent while the window settles may be lost.
rows=""
for _ in 1 2 3; do
  xdotool mousemove --window "$wid" $((left + 668)) $((top + 22)) click 1
  for _ in $(seq 1 100); do
    # Focus the report list below its rows (which selects none), then copy.
    xdotool mousemove --window "$wid" $((left + 300)) $((top + 400)) click 1 key ctrl+c
    rows=$(timeout 2 xclip -o -selection clipboard 2>/dev/null | wc -l)
    [ "${rows:-0}" -gt 1 ] && break 2
    sleep 0.2
  done
done
[ "${rows:-0}" -gt 1 ] || fail "no report rows reached the clipboard"
shoot after

# Line ends differ by the way (CR LF on Windows, LF on the X clipboard): the lines must not.
timeout 2 xclip -o -selection clipboard | tr -d '\r' >"$work/clipboard" || fail "cannot read the clipboard"
"$wine_run" "$report" --header "$folder" 2>/dev/null | tr -d '\r' >"$work/expected" || fail "iislog-report.exe failed"
cmp -s "$work/clipboard" "$work/expected" || { diff "$work/expected" "$work/clipboard"; fail "the clipboard differs from iislog-report --header"; }

# The folder was already the history's last line: the history is unchanged (CR LF lines).
printf 'C:\\logs\\first\r\n%s\r\n' "$folder" >"$work/history.expected"
cmp -s "$work/bin/DefaultDir.txt" "$work/history.expected" || fail "DefaultDir.txt is $(od -c "$work/bin/DefaultDir.txt" | head -5)"

# Closing the window ends the program.
xdotool key --window "$wid" alt+F4 >/dev/null 2>&1
for _ in $(seq 1 100); do
  kill -0 "$app_pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$app_pid" 2>/dev/null && fail "Alt+F4 did not end the program"
wait "$app_pid" 2>/dev/null
app_pid=""
echo "e2e: ok"
