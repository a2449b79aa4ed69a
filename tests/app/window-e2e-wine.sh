#!/usr/bin/env bash
# The Windows build of the program end to end under Wine and a private Xvfb display: a prepared
# history whose last line is a folder of sample logs (as a Windows path), a click on "分析",
# Ctrl+C in the report list, and the clipboard compared with `iislog-report.exe --header` for
# that folder; then the history file beside the executable and the icon the window shows. Then
# the windows that come and go: the folder box's drop-down list, a hint, the window menu and the
# folder dialog (">>") must show their pixels on the screen, not a black box.
# Exit 77 (skipped) when Xvfb, xdotool, xclip, flock or ImageMagick is missing.
#   window-e2e-wine.sh WINE_RUN IISLOG_EXE IISLOG_REPORT_EXE SAMPLE_FOLDER [SHOTS_FOLDER]
set -u
wine_run=${1:?usage: window-e2e-wine.sh WINE_RUN IISLOG_EXE IISLOG_REPORT_EXE SAMPLE_FOLDER [SHOTS_FOLDER]}
iislog=${2:?}
report=${3:?}
samples=${4:?}
shots=${5:-}
for tool in Xvfb xdotool xclip xprop flock /usr/bin/import /usr/bin/convert; do
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

# The icon the desktop shows (the window class's icon, resource 1 of the executable): Wine hands
# it to X as _NET_WM_ICON, the 32 and the 16 pixel pictures as ARGB words, which must be the
# committed icon theme's pictures.
icons=$(dirname "$0")/../../assets/icons/hicolor
argb_words() { /usr/bin/convert "$1" -depth 8 rgba:- | od -An -v -tu1 -w4 | awk '{ printf "%.0f\n", $4 * 16777216 + $1 * 65536 + $2 * 256 + $3 }'; }
xprop -id "$wid" -notype -f _NET_WM_ICON 32c ' = $0+' _NET_WM_ICON >"$work/icon" 2>&1 || fail "xprop failed: $(cat "$work/icon")"
{ tr -d ' \n' <"$work/icon" | sed 's/^[^=]*=//' | tr ',' '\n'; echo; } >"$work/words"
for size in 32 16; do
  # The pictures follow one another: width, height, then width x height words.
  awk -v size="$size" 'NF { w[n++] = $1 } END {
      for (i = 0; i + 1 < n; i += 2 + w[i] * w[i + 1])
        if (w[i] == size && w[i + 1] == size) { for (j = 0; j < size * size; j++) print w[i + 2 + j]; exit }
    }' "$work/words" >"$work/icon$size"
  argb_words "$icons/${size}x${size}/apps/iislog.png" >"$work/expected$size"
  cmp -s "$work/icon$size" "$work/expected$size" \
    || fail "the window's $size x $size icon is not the program's: $(head -c 200 "$work/icon")"
done

# The report of the folder in the box, as the command-line tool prints it. Line ends differ by the
# way (CR LF on Windows, LF on the X clipboard): the lines must not.
"$wine_run" "$report" --header "$folder" 2>/dev/null | tr -d '\r' >"$work/expected" || fail "iislog-report.exe failed"
copy_report "$wid" "$left" "$top" "$work/expected" "$work/clipboard" \
  || fail "the clipboard differs from iislog-report --header"
shoot after

# The folder was already the history's last line: the history is unchanged (CR LF lines).
printf 'C:\\logs\\first\r\n%s\r\n' "$folder" >"$work/history.expected"
cmp -s "$work/bin/DefaultDir.txt" "$work/history.expected" || fail "DefaultDir.txt is $(od -c "$work/bin/DefaultDir.txt" | head -5)"

# What the screen shows of window WID, read from the root window into FILE.png. (`xwd -root`
# puts each window's pixels together itself and shows every Wine window but the first black,
# though the screen holds their pixels: the root's own image is what a person sees.)
screen_shot() { # wid file
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$1")"
  /usr/bin/import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$2"
}
# A drawn window has frames, text and a background: many colours, little pure black.
# (Nothing presented shows as one flat colour, black under Wine.)
check_drawn() { # name file
  local colours black
  colours=$(/usr/bin/convert "$2" -format '%k' info:)
  black=$(/usr/bin/convert "$2" -fill white +opaque black -fill black -opaque black -format '%[fx:int(100*(1-mean))]' info:)
  [ "${colours:-0}" -ge 16 ] && [ "${black:-100}" -lt 20 ] \
    || fail "the $1 shows no drawing: $colours colours, $black% black"
  [ -n "$shots" ] && cp "$2" "$shots/$1.png"
  return 0
}
other_window() { # the visible window of the program other than the main window, if any
  local w
  for w in $(xdotool search --onlyvisible --classname 'iislog' 2>/dev/null); do
    [ "$w" != "$wid" ] && { echo "$w"; return; }
  done
}
wait_other() { # gone|shown: waits up to 10 s; prints the other window when shown
  local w=""
  for _ in $(seq 1 100); do
    w=$(other_window)
    if [ "$1" = shown ] && [ -n "$w" ]; then echo "$w"; return 0; fi
    if [ "$1" = gone ] && [ -z "$w" ]; then return 0; fi
    sleep 0.1
  done
  return 1
}

# The folder box's drop-down button lies at the right end of the box (client (136, 11), 433 x 22).
# It opens the list of the history's folders below the box; pressing it again closes the list.
xdotool mousemove --window "$wid" $((left + 560)) $((top + 22)) click 1
list=$(wait_other shown) || fail "the drop-down list did not open"
sleep 0.5
screen_shot "$list" "$work/dropdown.png"
check_drawn dropdown "$work/dropdown.png"
xdotool mousemove --window "$wid" $((left + 560)) $((top + 22)) click 1
wait_other gone || fail "the drop-down list did not close"

# Resting the pointer on the caption's close button shows its hint; leaving it hides the hint.
xdotool mousemove --window "$wid" $((WIDTH - 20)) 14 sleep 0.2 mousemove --window "$wid" $((WIDTH - 14)) 14
hint=$(wait_other shown) || fail "the close button's hint did not show"
sleep 0.3
screen_shot "$hint" "$work/hint.png"
check_drawn hint "$work/hint.png"
xdotool mousemove --window "$wid" 300 300
wait_other gone || fail "the hint stayed after the pointer left the button"

# A right click on the caption opens the window's menu; Escape closes it.
xdotool mousemove --window "$wid" 100 8 click 3
menu=$(wait_other shown) || fail "the window menu did not open"
sleep 0.5
screen_shot "$menu" "$work/menu.png"
check_drawn menu "$work/menu.png"
xdotool key Escape
wait_other gone || fail "Escape did not close the window menu"

# ">>" lies at client (578, 11), 23 x 21: the folder dialog, closed again with Escape typed over it.
xdotool mousemove --window "$wid" $((left + 589)) $((top + 21)) click 1
dialog=$(wait_other shown) || fail "the folder dialog did not open"
[ "$(xdotool getwindowname "$dialog")" = "选择IIS日志目录" ] || fail "the window that opened is '$(xdotool getwindowname "$dialog")'"
sleep 1 # the tree fills in
screen_shot "$dialog" "$work/dialog.png"
check_drawn dialog "$work/dialog.png"
eval "$(xdotool getwindowgeometry --shell "$dialog" | sed 's/^/dialog_/')"
xdotool mousemove $((dialog_X + dialog_WIDTH / 2)) $((dialog_Y + dialog_HEIGHT / 2)) key Escape
wait_other gone || fail "Escape did not close the folder dialog"

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
