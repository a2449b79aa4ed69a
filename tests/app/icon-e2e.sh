#!/usr/bin/env bash
# The program's icon as the desktop sees it: the real program under a private Xvfb display with
# the openbox window manager; its window must carry the 32 x 32 icon in _NET_WM_ICON, opaque in
# the middle and see-through in the corner (the rounded tile).
# Exit 77 (skipped) when Xvfb, xdotool, xprop or openbox is missing.
#   icon-e2e.sh IISLOG SAMPLE_FOLDER [SCREENSHOT]
set -u
iislog=${1:?usage: icon-e2e.sh IISLOG SAMPLE_FOLDER [SCREENSHOT]}
samples=${2:?}
shot=${3:-}
for tool in Xvfb xdotool xprop openbox; do
  command -v "$tool" >/dev/null 2>&1 || { echo "icon-e2e: $tool is not installed"; exit 77; }
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
fail() { echo "icon-e2e: $*"; echo "--- program output"; cat "$work/err" 2>/dev/null; exit 1; }

. "$(dirname "$0")/../support/xvfb.sh"
xvfb_start "$work"
xvfb_openbox "$work"

# The program keeps its history beside itself: run a copy from a folder of its own.
mkdir -p "$work/bin"
cp "$iislog" "$work/bin/iislog"
unset IISLOG_BACKEND IISLOG_BENCH
export LSAN_OPTIONS="suppressions=$(dirname "$0")/lsan.supp:${LSAN_OPTIONS:-}"
"$work/bin/iislog" "$samples" >"$work/out" 2>"$work/err" &
app_pid=$!

wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tarvel.*V1[.]0$' | head -n 1)
[ -n "$wid" ] || fail "the main window did not appear"

# _NET_WM_ICON: width, height, then width x height ARGB words, printed as decimal numbers (not as
# the picture xprop draws by default).
xprop -id "$wid" -notype -f _NET_WM_ICON 32c ' = $0+' _NET_WM_ICON >"$work/icon" 2>&1 ||
  fail "xprop failed: $(cat "$work/icon")"
tr -d ' \n' <"$work/icon" | sed 's/^[^=]*=//' | tr ',' '\n' >"$work/words"
[ "$(sed -n 1p "$work/words")" = 32 ] && [ "$(sed -n 2p "$work/words")" = 32 ] ||
  fail "the window's icon is not 32 x 32: $(head -c 200 "$work/icon")"
[ "$(grep -c . "$work/words")" -eq $(( 2 + 32 * 32 )) ] || fail "the icon has $(grep -c . "$work/words") words"
word() { sed -n "$(( 3 + $2 * 32 + $1 ))p" "$work/words"; } # x y
alpha() { echo $(( $(word "$1" "$2") >> 24 )); }
[ "$(alpha 16 16)" = 255 ] || fail "the icon's middle is not opaque (alpha $(alpha 16 16))"
[ "$(alpha 0 0)" = 0 ] || fail "the icon's corner is not see-through (alpha $(alpha 0 0))"

if [ -n "$shot" ]; then
  # openbox's window switcher shows the icon the desktop has: hold Alt, press Tab.
  sleep 0.5
  xdotool keydown alt key Tab
  sleep 0.5
  xwd -root -silent | /usr/bin/convert xwd:- "$shot"
  xdotool keyup alt
fi
echo "icon-e2e: ok"
