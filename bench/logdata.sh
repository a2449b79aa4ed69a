# The generated IIS logs the benchmarks read, kept in bench/data/ between runs (sourced after
# the release build). STYLE (default today: an IIS 10 site of 2026, a third of it crawlers,
# several #Fields blocks per file; classic: the 2013 IIS 6 logs of the bundled samples), BYTES
# (default 1 GiB) and FILES (default 8) choose them; `data` is their folder, named after all three
# so that the styles' data sets coexist. make_logs generates them (loggen, fixed seed) when they are
# missing or older than loggen, and warms the page cache.
style=${STYLE:-today}
bytes=${BYTES:-1073741824}
files=${FILES:-8}
case "$style" in
  classic | today) ;;
  *) echo "logdata.sh: STYLE must be classic or today, not '$style'" >&2; exit 2 ;;
esac
data=bench/data/logs-$style-$bytes-$files
loggen=build/release/tools/loggen/loggen
make_logs() {
  if [ ! -f "$data/.complete" ] || [ "$loggen" -nt "$data/.complete" ]; then
    echo "generating $bytes bytes of $style logs in $files files into $data ..."
    rm -rf "$data"
    "$loggen" --out "$data" --style "$style" --seed 2013 --bytes "$bytes" --files "$files"
    touch "$data/.complete"
  fi
  cat "$data"/*.log >/dev/null
}
