#!/bin/bash
# Image requests of a browse with one load-more (Women, Go, load 20 More), counted from the demo
# middleware's request record: every distinct picture should be asked for once.
# Usage: bench/images/count_image_requests.sh [BIN_DIR]   (default build/bin)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
bin=${1:-$root/build/bin}
cli=$bin/kelda-cli; mw=$bin/kelda-middleware; dir=$(mktemp -d)
$mw --host 127.0.0.1 --port 0 --ctr-port 0 --data $dir/data --products 5000 --seed 1 --record $dir/record.log > $dir/out 2>$dir/err &
pid=$!
for i in $(seq 1 600); do grep -q "landing pages on" $dir/out 2>/dev/null && break; sleep 0.2; done
addr=$(sed -n 's/^listening on http:\/\///p' $dir/out)
ctr=$(sed -n 's/^landing pages on http:\/\///p' $dir/out)
printf 'alert Later\ntap Women\ntap Go\ntap button.loadMore\nquit\n' > $dir/script
KELDA_CTR_ADDRESS=$ctr KELDA_WEB_HOST=$addr KELDA_MAPS_HOST=$addr KELDA_RESOURCES=$root/resources \
  $cli --server $addr --home $dir/home --script $dir/script > $dir/cli.out 2>&1
kill $pid; wait $pid 2>/dev/null || true
echo "rows: $(grep -c '^  row\.[0-9]*\.0$' <(sed -n '/> tap button.loadMore/,$p' $dir/cli.out))"
echo "image requests: $(grep -c '/images/' $dir/record.log)"
echo "distinct images: $(grep -o '/images/[^ "?]*' $dir/record.log | sort -u | wc -l)"
rm -rf "$dir"
