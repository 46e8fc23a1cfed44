#!/usr/bin/env bash
# Runs the demo store: starts kelda-middleware on free loopback ports with its data under the
# user's data directory (seeded on the first run, reused later), then kelda-cli connected to it
# (or, with --gui, the window kelda). The server stops when the client exits. Builds nothing:
# `make run` and `make run-gui` build first.
#
#   scripts/run-demo.sh BUILD_DIR [--gui] [client options...]
set -euo pipefail
build=${1:?usage: run-demo.sh BUILD_DIR [--gui] [client options...]}
shift
server="$build/bin/kelda-middleware"
client="$build/bin/kelda-cli"
if [ "${1:-}" = "--gui" ]; then
  shift
  client="$build/bin/kelda"
  if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "run-demo: the window needs a display (X11 or Wayland); without one, try" \
      "xvfb-run -a make run-gui" >&2
    exit 1
  fi
fi
for program in "$server" "$client"; do
  [ -x "$program" ] || { echo "run-demo: $program is missing; build first (make build)" >&2; exit 1; }
done

data="${XDG_DATA_HOME:-$HOME/.local/share}/kelda-middleware"
mkdir -p "$data"
out=$(mktemp)
server_pid=
stop_server() {
  if [ -n "$server_pid" ] && kill -0 "$server_pid" 2>/dev/null; then
    kill -TERM "$server_pid" 2>/dev/null || true
    wait "$server_pid" 2>/dev/null || true
  fi
  rm -f "$out"
}
trap stop_server EXIT
trap 'exit 130' INT TERM

[ -e "$data/kelda-middleware.sqlite" ] || echo "run-demo: seeding the demo store in $data (first run)..." >&2
"$server" --port 0 --ctr-port 0 --data "$data" --log-level warn >"$out" &
server_pid=$!

port= ctr=
for _ in $(seq 1 600); do
  port=$(sed -n 's|^listening on http://127.0.0.1:\([0-9]*\)$|\1|p' "$out")
  ctr=$(sed -n 's|^landing pages on http://127.0.0.1:\([0-9]*\)$|\1|p' "$out")
  [ -n "$port" ] && [ -n "$ctr" ] && break
  kill -0 "$server_pid" 2>/dev/null || { echo "run-demo: kelda-middleware did not start" >&2; exit 1; }
  sleep 0.1
done
[ -n "$port" ] || { echo "run-demo: kelda-middleware did not report its address" >&2; exit 1; }

echo "run-demo: demo store on http://127.0.0.1:$port (sign in as demo@kelda.test / kelda123)" >&2
export KELDA_MIDDLEWARE="127.0.0.1:$port"
export KELDA_CTR_ADDRESS="127.0.0.1:$ctr"
export KELDA_WEB_HOST="127.0.0.1:$port"
export KELDA_MAPS_HOST="127.0.0.1:$port"
status=0
"$client" --server "127.0.0.1:$port" "$@" || status=$?
exit "$status"
