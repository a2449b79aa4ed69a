# The generated IIS logs the benchmarks read, kept in bench/data/ between runs (sourced after
# the release build). BYTES (default 1 GiB) and FILES (default 8) choose them; `data` is their
# folder. make_logs generates them once (loggen, fixed seed) and warms the page cache.
bytes=${BYTES:-1073741824}
files=${FILES:-8}
data=bench/data/logs-$bytes-$files
make_logs() {
  if [ ! -f "$data/.complete" ]; then
    echo "generating $bytes bytes of logs in $files files into $data ..."
    rm -rf "$data"
    build/release/tools/loggen/loggen --out "$data" --seed 2013 --bytes "$bytes" --files "$files"
    touch "$data/.complete"
  fi
  cat "$data"/*.log >/dev/null
}
