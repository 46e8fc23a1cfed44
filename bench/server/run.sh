#!/usr/bin/env bash
# Speed benchmark of kelda-middleware: requests per second and p50/p99 latency of four
# endpoints with wrk (32 connections, 10 s each) against a 100,000-product catalogue, and the
# seeding time of 100,000 and 1,000,000 products.
#
#   bench/server/run.sh BUILD_DIR [--skip-million]
#
# Use a build without sanitizers (e.g. `make build`, then `bench/server/run.sh build`).
set -euo pipefail
build=${1:?usage: run.sh BUILD_DIR [--skip-million]}
skip_million=${2:-}
bin="$build/bin/kelda-middleware"
here=$(cd "$(dirname "$0")" && pwd)
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
  "$bin" --port 0 --data "$dir" --products "$products" --log-level info >"$work/out" 2>"$work/err" &
  server_pid=$!
  for _ in $(seq 1 1200); do
    port=$(sed -n 's|^listening on http://127.0.0.1:\([0-9]*\)$|\1|p' "$work/out")
    [ -n "$port" ] && break
    sleep 0.1
  done
  [ -n "$port" ] || { echo "server did not start" >&2; cat "$work/err" >&2; exit 1; }
  grep -h '^seeded' "$work/err" || true
}

stop_server() {
  kill "$server_pid"; wait "$server_pid" || true; server_pid=
}

echo "== seeding and serving 100,000 products"
start_server "$work/data-100k" 100000
for endpoint in category results_search product keldas_viewbag; do
  # Warm-up so that the first-request caches do not count.
  wrk -t 2 -c 8 -d 2s -s "$here/$endpoint.lua" "http://127.0.0.1:$port" >/dev/null
  echo "-- $endpoint"
  wrk -t 2 -c 32 -d 10s --latency -s "$here/$endpoint.lua" "http://127.0.0.1:$port" | \
    grep -E 'Requests/sec|^ +50%|^ +99%|Non-2xx|Socket errors' || true
done
stop_server

if [ "$skip_million" != "--skip-million" ]; then
  echo "== seeding 1,000,000 products"
  start_server "$work/data-1m" 1000000
  stop_server
fi
