#!/usr/bin/env bash
# Runs the benchmarks and prints their figures (not a test: nothing passes or
# fails on a number). Download: a 16 MiB and a 256 MiB package over loopback,
# fetched by the installer's download code under Wine and by curl in the same
# run; the ratio of their throughputs and the downloader's peak working set.
# Install: the engine's whole run for a 100 MiB package against its two big
# parts measured alone in the same run (curl for the download, the built
# 7za.exe under Wine for the extraction).
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

# Install: the test package with a 100 MiB incompressible payload, stored.
mkdir -p "$work/package" "$work/www/txKavadesk/application/9.9.9" "$work/extract"
cp -r "$build/test-package/content/." "$work/package/"
head -c $((100 * 1024 * 1024)) /dev/urandom >"$work/package/Data/payload.bin"
package="$work/www/txKavadesk/application/9.9.9/Kavadesk.zip"
(cd "$work/package" && 7zz a -tzip -mx=0 "$package" . >/dev/null)
now() { date +%s.%N; }
echo "install benchmark ($(($(stat -c %s "$package") / 1048576)) MiB package)"
ours=$("$build/harness/wine-run" "$build/bench/install_bench.exe" "$base" "9.9.9" | tr -d '\r')
t0=$(now)
curl -s -o "$work/out/curl-package.zip" "${base}txKavadesk/application/9.9.9/Kavadesk.zip"
t1=$(now)
"$build/harness/wine-run" "$build/third_party/7zip/7za.exe" x -y "Z:${package//\//\\}" "-oZ:${work//\//\\}\\extract" >/dev/null
t2=$(now)
total=$(sed -E 's/.*total_seconds=([0-9.]+).*/\1/' <<<"$ours")
awk -v total="$total" -v c="$(awk -v a="$t0" -v b="$t1" 'BEGIN { print b - a }')" \
    -v x="$(awk -v a="$t1" -v b="$t2" 'BEGIN { print b - a }')" -v line="$ours" 'BEGIN {
  printf "  engine %.2f s (%s)\n", total, line
  printf "  parts alone: curl %.2f s + 7za x %.2f s = %.2f s; ratio engine / parts %.2f\n", c, x, c + x, total / (c + x)
}'

# Start-up: process start to a visible main window, the installer (with its
# relaunch and the manifest fetch) against the smallest window program.
mkdir -p "$work/www/txKavadesk/config"
echo '<updater><version>9.9.9</version></updater>' >"$work/www/txKavadesk/config/merel_updater.xml"
to_windows() { echo "Z:${1//\//\\}"; }
startup=$(KAVADESK_HARNESS=xvfb "$build/harness/wine-run" "$build/bench/startup_bench.exe" "$base" \
  "$(to_windows "$build/win32/KavadeskSetup.exe")" "$(to_windows "$build/bench/minimal_window.exe")" 5 | tr -d '\r')
echo "start-up benchmark (median of 5): $startup"

# Size: the whole installer, and its own code and data without the embedded
# archive tool (the resource holds the tool's bytes unchanged).
exe_bytes=$(stat -c %s "$build/win32/KavadeskSetup.exe")
tool_bytes=$(stat -c %s "$build/third_party/7zip/7za.exe")
echo "size: installer $((exe_bytes / 1024)) KiB, of which the archive tool $((tool_bytes / 1024)) KiB; the installer's own code and data $(((exe_bytes - tool_bytes) / 1024)) KiB"
