#!/usr/bin/env bash
# Speed benchmark of kelda-middleware over a 100,000-product catalogue: requests per second and
# p50/p99 latency (wrk, 32 connections, 10 s each) of every endpoint of a shopper's flow, a
# yardstick (a fixed page that touches no data) measured in the same run, the load average next
# to every figure, orders placed by a second client while a search load runs (checked for lost
# or doubled orders and negative stock), the server's peak resident memory, and the seeding time
# of 100,000 and 1,000,000 products. The table goes to standard output and, as JSON, to OUT.
#
#   bench/server/run.sh BUILD_DIR [--skip-million] [--out FILE] [--label NAME]
#
# Use a build without sanitizers (e.g. `make build`, then `bench/server/run.sh build`).
set -euo pipefail
build=${1:?usage: run.sh BUILD_DIR [--skip-million] [--out FILE] [--label NAME]}
shift
skip_million= out=bench-results/server.json label=run
while [ $# -gt 0 ]; do
  case $1 in
    --skip-million) skip_million=1 ;;
    --out) out=$2; shift ;;
    --label) label=$2; shift ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
  esac
  shift
done
bin="$build/bin/kelda-middleware"
checker="$build/bin/kelda-server-orderload"
here=$(cd "$(dirname "$0")" && pwd)
duration=${BENCH_SECONDS:-10}
command -v wrk >/dev/null || { echo "wrk is not installed (apt-get install wrk)" >&2; exit 1; }
[ -x "$bin" ] || { echo "no $bin; build first" >&2; exit 1; }
work=$(mktemp -d)
server_pid=
cleanup() {
  if [ -n "$server_pid" ]; then kill "$server_pid" 2>/dev/null || true; wait "$server_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

# Starts the server over DIR with N products; sets server_pid and port; prints the seeding time.
start_server() {
  local dir=$1 products=$2
  port=
  "$bin" --port 0 --data "$dir" --products "$products" --log-level info >"$work/out" 2>"$work/err" &
  server_pid=$!
  for _ in $(seq 1 3000); do
    port=$(sed -n 's|^listening on http://127.0.0.1:\([0-9]*\)$|\1|p' "$work/out")
    [ -n "$port" ] && break
    sleep 0.1
  done
  [ -n "$port" ] || { echo "server did not start" >&2; cat "$work/err" >&2; exit 1; }
  seed_line=$(grep -h '^seeded' "$work/err" || true)
}

stop_server() {
  kill "$server_pid"; wait "$server_pid" || true; server_pid=
}

load() { cut -d' ' -f1 /proc/loadavg; }
peak_rss_mb() { awk '/VmHWM/ {printf "%.1f", $2 / 1024}' "/proc/$server_pid/status"; }

# Runs one endpoint: warm-up, then the measured run; appends a JSON member to $work/results.
measure() {
  local kind=$1 connections=${2:-32}
  BENCH_KIND=$kind wrk -t 2 -c 8 -d 2s -s "$here/endpoint.lua" "http://127.0.0.1:$port" >/dev/null
  local before after line
  before=$(load)
  line=$(BENCH_KIND=$kind wrk -t 2 -c "$connections" -d "${duration}s" -s "$here/endpoint.lua" \
    "http://127.0.0.1:$port" | grep '^{')
  after=$(load)
  line=${line%\}}",\"load_before\":$before,\"load_after\":$after,\"connections\":$connections}"
  printf '%-26s %s\n' "$kind" "$line"
  echo "\"$kind\":$line" >>"$work/results"
}

echo "== seeding and serving 100,000 products ($label, $(nproc) cores, load $(load))"
start_server "$work/data-100k" 100000
seeded_100k=$seed_line
echo "$seeded_100k"
stop_server
# Orders change the stock: they run on a throw-away copy of the seeded data.
cp -r "$work/data-100k" "$work/data-orders"
start_server "$work/data-100k" 100000
: >"$work/results"
for kind in yardstick category get_promo results results_refined search_common search_rare \
            product reviews keldas_viewbag keldas_viewbag_signed_in store_locator_zip \
            store_locator_city store_locator_position findinstore instore_savingspass \
            store_events signin yardstick; do
  measure "$kind"
done
rss_read=$(peak_rss_mb)
stop_server

start_server "$work/data-orders" 100000
for kind in keldas_prepareorder keldas_processorder; do measure "$kind"; done
under_load='null'
if [ -x "$checker" ]; then
  echo "-- orders placed by a second client during a search load"
  BENCH_KIND=search_common wrk -t 2 -c 32 -d "${duration}s" -s "$here/endpoint.lua" \
    "http://127.0.0.1:$port" >/dev/null &
  wrk_pid=$!
  under_load=$("$checker" --port "$port" --data "$work/data-orders/kelda-middleware.sqlite" \
    --orders 200 --threads 4) || true
  wait "$wrk_pid" || true
  echo "$under_load"
fi
rss_orders=$(peak_rss_mb)
stop_server

million='null'
if [ -z "$skip_million" ]; then
  echo "== seeding 1,000,000 products"
  start_server "$work/data-1m" 1000000
  echo "$seed_line"
  million="\"$seed_line\""
  stop_server
fi

mkdir -p "$(dirname "$out")"
{
  printf '{"label":"%s","date":"%s","cores":%d,"seconds_per_run":%d,' "$label" "$(date -u +%FT%TZ)" "$(nproc)" "$duration"
  printf '"seeding_100k":"%s","seeding_1m":%s,' "$seeded_100k" "$million"
  printf '"peak_rss_mb":{"catalogue_load":%s,"order_load":%s},' "$rss_read" "$rss_orders"
  printf '"orders_under_load":%s,"endpoints":{' "$under_load"
  # The yardstick runs first and last; keep the first under its name and the last as yardstick_end.
  awk 'BEGIN{n=0} /^"yardstick":/ {n++; if (n==2) sub(/^"yardstick"/, "\"yardstick_end\"")} {print}' \
    "$work/results" | paste -sd, -
  printf '}}\n'
} >"$out"
echo "written to $out"
