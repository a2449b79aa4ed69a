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
for tool in Xvfb xdotool xclip flock; do
  command -v "$tool" >/dev/null 2>&1 || { echo "e2e: $tool is not installed"; exit 77; }
done

# Wine runs one server per prefix, and under it one desktop process that puts every window of
# every program on the X display of the program that started it. The unit tests share the build's
# prefix and run with no display, and a server outlives its last program by a few seconds: a
# program that joins such a server cannot create a window ("error 0"). So this test has a prefix
# of its own (made on first use, about 12 s), one run at a time, and ends that prefix's server
# before its display goes, so the next run's server starts on the next run's display.
wine=${IISLOG_WINE:-/usr/lib/wine/wine64}
wineserver=$(dirname "$wine")/wineserver
[ -x "$wineserver" ] || wineserver=$(command -v wineserver || true)
[ -n "$wineserver" ] || { echo "e2e: wineserver is not installed"; exit 77; }
export IISLOG_WINEPREFIX="${IISLOG_WINEPREFIX:-${TMPDIR:-/tmp}/iislog-wine-$(id -u)}-display"
end_wine() { WINEPREFIX=$IISLOG_WINEPREFIX "$wineserver" -k >/dev/null 2>&1; WINEPREFIX=$IISLOG_WINEPREFIX "$wineserver" -w >/dev/null 2>&1; }

work=$(mktemp -d)
xvfb_pid=""
app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  end_wine
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
fail() { echo "e2e: $*"; echo "--- program output"; cat "$work/err" 2>/dev/null; exit 1; }

exec 9>"$IISLOG_WINEPREFIX.lock"
flock -w 150 9 || { echo "e2e: another run holds $IISLOG_WINEPREFIX for more than 150 s"; rm -rf "$work"; exit 1; }
trap cleanup EXIT
end_wine # a run that was killed may have left its server

. "$(dirname "$0")/../support/xvfb.sh"
. "$(dirname "$0")/../support/report-clipboard.sh"
xvfb_start "$work"

# Wine shows the Unix file system as drive Z:.
windows_path() { printf 'Z:%s' "$(printf '%s' "$1" | tr '/' '\\')"; }
folder=$(windows_path "$samples")

# The program keeps its history beside itself: run a copy from a folder of its own.
mkdir -p "$work/bin"
cp "$iislog" "$work/bin/iislog.exe"
printf 'C:\\logs\\first\r\n%s\r\n' "$folder" >"$work/bin/DefaultDir.txt"
"$wine_run" "$work/bin/iislog.exe" >"$work/out" 2>"$work/err" &
app_pid=$!

wid=$(timeout 90 xdotool search --sync --onlyvisible --name '^Tarvel.*V1[.]0$' | head -n 1)
[ -n "$wid" ] || fail "the main window did not appear"
shoot() { [ -n "$shots" ] && xwd -silent -id "$wid" | /usr/bin/convert xwd:- "$shots/$1.png"; return 0; }
# The client area starts below the caption: the window is the client (754 x 573) plus the frame.
eval "$(xdotool getwindowgeometry --shell "$wid")"
left=$(( (WIDTH - 754) / 2 ))
top=$(( HEIGHT - 573 - left ))
sleep 1
shoot before

# The report of the folder in the box, as the command-line tool prints it. Line ends differ by the
# way (CR LF on Windows, LF on the X clipboard): the lines must not.
"$wine_run" "$report" --header "$folder" 2>/dev/null | tr -d '\r' >"$work/expected" || fail "iislog-report.exe failed"
copy_report "$wid" "$left" "$top" "$work/expected" "$work/clipboard" \
  || fail "the clipboard differs from iislog-report --header"
shoot after

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
