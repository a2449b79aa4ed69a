#!/usr/bin/env bash
# End-to-end test of the skinned controls in a real window: runs formdemo under a private Xvfb
# display, clicks its skinned Hello button with xdotool and checks that OnClick ran exactly once,
# then presses Escape (the Cancel button closes the window) and checks a clean exit.
# usage: controls_e2e.sh path/to/formdemo [SCREENSHOT]
# Exit 77 (skipped) when Xvfb or xdotool is missing.
set -u
demo=${1:?usage: controls_e2e.sh path/to/formdemo [SCREENSHOT]}
shot=${2:-}
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null 2>&1 || { echo "controls_e2e: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
xvfb_pid=""
demo_pid=""
cleanup() {
  [ -n "$demo_pid" ] && kill "$demo_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "controls_e2e: $*"
  echo "--- demo output"; cat "$work/out" "$work/err" 2>/dev/null
  exit 1
}

. "$(dirname "$0")/../../tests/support/xvfb.sh"
xvfb_start "$work"

unset IISLOG_BACKEND
export LSAN_OPTIONS="suppressions=$(dirname "$0")/../uidemo/lsan.supp:${LSAN_OPTIONS:-}"
"$demo" >"$work/out" 2>"$work/err" &
demo_pid=$!

count() { grep -c "^$1" "$work/out" 2>/dev/null; }
wait_for() { # pattern, seconds
  for _ in $(seq 1 $(( $2 * 20 ))); do
    grep -q "$1" "$work/out" 2>/dev/null && return 0
    kill -0 "$demo_pid" 2>/dev/null || break
    sleep 0.05
  done
  grep -q "$1" "$work/out" 2>/dev/null
}

wait_for "^ready hello-at" 15 || fail "the window did not come up"
read -r _ _ bx by <<<"$(grep '^ready hello-at' "$work/out" | head -n 1)"
wid=$(timeout 10 xdotool search --sync --onlyvisible --name '^Framework demo$' | head -n 1)
[ -n "$wid" ] || fail "no window named Framework demo"
sleep 0.5

# Press and release over the button: one click.
xdotool mousemove "$bx" "$by"
sleep 0.2
xdotool mousedown 1
sleep 0.1
xdotool mouseup 1
wait_for "^hello 1" 5 || fail "the click on the skinned button did not reach OnClick"
sleep 0.5
[ "$(count hello)" = 1 ] || fail "OnClick ran $(count hello) times for one click"

# Pressing, leaving the button and releasing outside is no click.
xdotool mousedown 1
sleep 0.1
xdotool mousemove "$bx" "$(( by - 200 ))"
sleep 0.1
xdotool mouseup 1
sleep 0.5
[ "$(count hello)" = 1 ] || fail "a release outside the button clicked it"
if [ -n "$shot" ]; then
  xwd -root -silent | /usr/bin/convert xwd:- "$shot" 2>/dev/null
fi

# Escape reaches the Cancel button, whose click closes the window.
xdotool key Escape
for _ in $(seq 1 100); do
  kill -0 "$demo_pid" 2>/dev/null || break
  sleep 0.05
done
kill -0 "$demo_pid" 2>/dev/null && fail "Escape did not close the window through the Cancel button"
wait "$demo_pid"
status=$?
demo_pid=""
[ "$status" -eq 0 ] || fail "formdemo exited with status $status"
echo "controls_e2e: ok"
