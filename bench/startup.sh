#!/usr/bin/env bash
# Start-up and memory of the program (optimised build) under a private Xvfb display:
#  - start-up: from exec to the first present of the skinned main window, against a bare SDL2
#    program that opens a window of the same size; RUNS runs each (default 10), alternating, the
#    median of each and of the ratios;
#  - peak resident memory of the program after analysing samples/logs (GNU time).
# The program leaves by itself after its first present (IISLOG_BENCH=present) or after the
# analysis (IISLOG_BENCH=analyse).
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${RUNS:-10}
cmake --preset release >/dev/null
cmake --build --preset release -j 2 --target iislog bare_sdl_window >/dev/null
iislog=build/release/src/app/iislog
bare=build/release/bench/startup/bare_sdl_window

work=$(mktemp -d)
xvfb_pid=""
cleanup() { [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
fail() { echo "startup: $*" >&2; exit 1; }
. tests/support/xvfb.sh
if [ -z "${DISPLAY:-}" ]; then
  xvfb_start "$work"
fi
history="$(dirname "$iislog")/DefaultDir.txt"
# The program keeps its history beside itself; leave it as it was.
if [ -e "$history" ]; then cp "$history" "$work/history.keep"; fi
restore() {
  if [ -e "$work/history.keep" ]; then cp "$work/history.keep" "$history"; else rm -f "$history"; fi
  cleanup
}
trap restore EXIT

size=$(IISLOG_TRACE=1 IISLOG_BENCH=present "$iislog" samples/logs 2>&1 >/dev/null | sed -n 's/.*first present \([0-9]*\)x\([0-9]*\).*/\1 \2/p')
[ -n "$size" ] || { echo "startup: the program did not report its first present" >&2; exit 1; }

now() { date +%s%N; }
median() { sort -n | awk '{a[NR]=$1} END {print (NR%2) ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2}'; }
: >"$work/program"; : >"$work/bare"; : >"$work/ratio"
"$bare" $size; IISLOG_BENCH=present "$iislog" samples/logs >/dev/null 2>&1 # warm-up
for _ in $(seq 1 "$runs"); do
  t0=$(now); IISLOG_BENCH=present "$iislog" samples/logs >/dev/null 2>&1; t1=$(now)
  "$bare" $size; t2=$(now)
  a=$(( (t1 - t0) / 1000 )); b=$(( (t2 - t1) / 1000 ))
  echo "$a" >>"$work/program"; echo "$b" >>"$work/bare"
  awk -v a="$a" -v b="$b" 'BEGIN {printf "%.3f\n", a / b}' >>"$work/ratio"
done
printf 'start-up, exec to first present and exit (median of %d, window %s):\n' "$runs" "${size/ /x}"
printf '  iislog           %8.1f ms\n' "$(median <"$work/program" | awk '{print $1/1000}')"
printf '  bare SDL2 window %8.1f ms\n' "$(median <"$work/bare" | awk '{print $1/1000}')"
printf '  ratio (median of pairs) %.2fx (target <= 1.5x)\n' "$(median <"$work/ratio")"

/usr/bin/time -f '%M' -o "$work/rss" env IISLOG_BENCH=analyse "$iislog" samples/logs >/dev/null 2>&1
printf 'peak resident memory after analysing samples/logs: %.1f MB (target < 40 MB)\n' "$(awk '{print $1/1024}' "$work/rss")"
