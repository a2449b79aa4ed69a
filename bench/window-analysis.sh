#!/usr/bin/env bash
# The window's analysis against iislog-report on the same 1 GiB of generated logs (the data of
# bench/compare.sh), under a private Xvfb display. The window's time is the click on "分析" to
# the last report row, gauge and all (IISLOG_TRACE's "first present" to "analysis done", with
# IISLOG_BENCH=analyse pressing the button once the window is on screen); iislog-report's is
# its whole run. Each runs RUNS times (default 5) on a warm page cache; the best time counts,
# as in compare.sh. Target: the window at most 1.25x iislog-report.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${RUNS:-5}
cmake --preset release >/dev/null
cmake --build --preset release -j 2 --target iislog iislog-report loggen >/dev/null
iislog=build/release/src/app/iislog
report=build/release/src/analysis/iislog-report
. bench/logdata.sh
make_logs

work=$(mktemp -d)
xvfb_pid=""
history="$(dirname "$iislog")/DefaultDir.txt"
# The analysis adds the folder to the history kept beside the program; leave it as it was.
if [ -e "$history" ]; then cp "$history" "$work/history.keep"; fi
cleanup() {
  if [ -e "$work/history.keep" ]; then cp "$work/history.keep" "$history"; else rm -f "$history"; fi
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
. tests/support/xvfb.sh
if [ -z "${DISPLAY:-}" ]; then
  xvfb_start "$work"
fi

window_run() { # prints the seconds from the click to the end of the analysis
  IISLOG_TRACE=1 IISLOG_BENCH=analyse "$iislog" "$data" 2>&1 >/dev/null |
    awk '/first present/ { p = $(NF - 1) } /analysis done/ { d = $(NF - 1) } END {
      if (p == "" || d == "") exit 1; printf "%.4f\n", (d - p) / 1000 }'
}
report_run() {
  local start=$EPOCHREALTIME
  "$report" "$data" >"$work/report"
  awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.4f\n", b - a }'
}
best() { sort -n | head -1; }
for ((i = 0; i < runs; i++)); do window_run >>"$work/window" || { echo "window-analysis: the window did not report its analysis" >&2; exit 1; }; done
for ((i = 0; i < runs; i++)); do report_run >>"$work/reports"; done
w=$(best <"$work/window"); r=$(best <"$work/reports")
awk -v w="$w" -v r="$r" -v n="$(cat "$data"/*.log | wc -c)" 'BEGIN {
  mib = n / 1048576
  printf "data: %.0f MiB, best of '"$runs"' runs\n", mib
  printf "  %-28s %8.3f s  %8.0f MiB/s\n", "window (click to last row)", w, mib / w
  printf "  %-28s %8.3f s  %8.0f MiB/s\n", "iislog-report", r, mib / r
  printf "ratio: %.2fx (target <= 1.25x)\n", w / r
  exit !(w / r <= 1.25)
}'
