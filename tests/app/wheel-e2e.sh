#!/usr/bin/env bash
# The mouse wheel and the folder box's editing keys in the real program under a private Xvfb
# display. After "分析" on a folder of 60 logs (more rows than the report list shows), the focus
# goes to the folder box; the wheel over the report list, which was never clicked, scrolls it
# (the list's pixels change, and turning back restores them), the wheel over the folder box leaves
# its text alone, and Ctrl+A (Ctrl let go before the A) then typing replaces the folder's text.
# Exit 77 (skipped) when Xvfb, xdotool, xclip or xwd is missing.
#   wheel-e2e.sh IISLOG SAMPLE_FOLDER
set -u
iislog=${1:?usage: wheel-e2e.sh IISLOG SAMPLE_FOLDER}
samples=${2:?}
. "$(dirname "$0")/../support/e2e.sh"
e2e_require wheel-e2e Xvfb xdotool xclip xwd
e2e_setup

logs="$work/logs"
mkdir -p "$logs"
sample_logs=("$samples"/*.log)
sample=${sample_logs[0]}
for i in $(seq -w 1 60); do
  cp "$sample" "$logs/u_ex1301$i.log"
done
printf '%s\r\n' "$logs" >"$work/bin/DefaultDir.txt"
e2e_start "$iislog"
e2e_main_window
e2e_client_origin "$wid" 754 573
sleep 0.5

clipboard() { timeout 2 xclip -o -selection clipboard 2>/dev/null; }
# The report list's rows (client 0, 57, 735 x 477 under its header), as a digest of their pixels.
rows() {
  xwd -silent -id "$wid" | /usr/bin/convert xwd:- -crop "700x400+$((left + 10))+$((top + 100))" -depth 8 rgb:- | md5sum
}
# The folder box lies at client (136, 11), 433 x 22; "分析" at (608, 11), 121 x 22.
box_x=$((left + 300)) box_y=$((top + 22))
list_x=$((left + 300)) list_y=$((top + 300))
wheel() { # button count: 4 away from the user, 5 towards
  local i
  for i in $(seq 1 "$2"); do xdotool click "$1"; sleep 0.1; done
  sleep 0.5
}

# "分析" fills the list; the rows are drawn once two looks a second apart agree and differ from
# the empty list. A press sent while the window settles may be lost: press again.
xdotool mousemove "$list_x" "$list_y"
sleep 0.3
empty=$(rows)
for _ in 1 2 3; do
  xdotool mousemove --window "$wid" $((left + 668)) $((top + 22)) click 1
  last=""
  for _ in $(seq 1 30); do
    sleep 1
    now=$(rows)
    [ "$now" != "$empty" ] && [ "$now" = "$last" ] && break 2
    last=$now
  done
done
[ "$now" != "$empty" ] && [ "$now" = "$last" ] || fail "the report did not fill the list"

# The focus goes to the folder box; Ctrl+A and Ctrl+C there copy its folder.
ctrl() { xdotool keydown ctrl; sleep 0.1; xdotool key "$1"; sleep 0.1; xdotool keyup ctrl; sleep 0.1; }
for _ in $(seq 1 20); do
  xdotool mousemove "$box_x" "$box_y" click 1
  sleep 0.2
  ctrl a
  ctrl c
  [ "$(clipboard)" = "$logs" ] && break
  sleep 0.2
done
[ "$(clipboard)" = "$logs" ] || fail "the folder box did not take the focus (clipboard: $(clipboard))"

# The wheel over the list scrolls it although the folder box has the focus; back up, the first
# rows show again.
xdotool mousemove "$list_x" "$list_y"
sleep 0.5
before=$(rows)
wheel 5 3
after=$(rows)
[ "$after" != "$before" ] || fail "the wheel over the report list did not scroll it"
wheel 4 3
[ "$(rows)" = "$before" ] || fail "the wheel back up did not bring the first rows back"

# The wheel over the closed folder box changes nothing in it.
xdotool mousemove "$box_x" "$box_y"
sleep 0.3
wheel 5 2
wheel 4 1
ctrl a
ctrl c
[ "$(clipboard)" = "$logs" ] || fail "the wheel over the folder box changed its text to '$(clipboard)'"

# Ctrl+A as a person may press it, Ctrl let go before the A, then typing replaces the folder.
xdotool keydown ctrl
sleep 0.1
xdotool keydown a
sleep 0.1
xdotool keyup ctrl
sleep 0.1
xdotool keyup a
sleep 0.4
xdotool type --delay 30 "Z:/replaced"
sleep 0.5
ctrl a
ctrl c
[ "$(clipboard)" = "Z:/replaced" ] || fail "Ctrl+A then typing left '$(clipboard)' in the folder box"

e2e_finish
