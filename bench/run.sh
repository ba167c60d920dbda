#!/usr/bin/env bash
# Runs the benchmarks and prints their figures (not a test: nothing passes or
# fails on a number). Download: a 16 MiB and a 256 MiB package over loopback,
# fetched by the installer's download code under Wine and by curl in the same
# run; the ratio of their throughputs and the downloader's peak working set.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/tools/build.sh"
build="$top/build"
work="$build/bench-run"
rm -rf "$work"
mkdir -p "$work/www/txKavadesk/application/1.0" "$work/out"
pids=()
cleanup() { for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done; rm -rf "$work"; }
trap cleanup EXIT

for size in 16 256; do
  head -c "$((size * 1024 * 1024))" /dev/urandom >"$work/www/txKavadesk/application/1.0/Kavadesk$size.zip"
done
/usr/bin/python3 "$top/tests/fixture/fixture_server.py" --root "$work/www" --port 0 \
  --port-file "$work/ports.json" --max-seconds 900 --parent-pid $$ >/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/ports.json" ] && break; sleep 0.1; done
port=$(/usr/bin/python3 -c 'import json,sys; print(json.load(open(sys.argv[1]))["http"])' "$work/ports.json")
base="http://127.0.0.1:$port/"
out_windows="Z:${work//\//\\}\\out\\"

echo "download benchmark (loopback, $(nproc) cores)"
for size in 16 256; do
  file="Kavadesk$size.zip"
  url="${base}txKavadesk/application/1.0/$file"
  curl_line=$(curl -s -o "$work/out/curl-$file" -w '%{size_download} %{time_total}' "$url")
  read -r curl_bytes curl_seconds <<<"$curl_line"
  ours=$("$build/harness/wine-run" "$build/bench/download_bench.exe" "$base" "application/1.0/" "$file" "$out_windows" | tr -d '\r')
  cmp -s "$work/out/$file" "$work/www/txKavadesk/application/1.0/$file" || echo "  warning: $file differs"
  ours_rate=$(sed -E 's/.*mib_per_s=([0-9.]+).*/\1/' <<<"$ours")
  peak=$(sed -E 's/.*peak_working_set_kib=([0-9]+).*/\1/' <<<"$ours")
  curl_rate=$(awk -v b="$curl_bytes" -v s="$curl_seconds" 'BEGIN { printf "%.1f", b / 1048576 / s }')
  ratio=$(awk -v a="$ours_rate" -v c="$curl_rate" 'BEGIN { printf "%.2f", a / c }')
  echo "  $size MiB: installer $ours_rate MiB/s, curl $curl_rate MiB/s, ratio $ratio, installer peak working set $peak KiB"
done
