#!/usr/bin/env bash
# The main job: builds the installer and runs it under Wine against the
# bundled demo download server on 127.0.0.1. With $DISPLAY set the window
# opens there; without it the run goes to a private Xvfb and screenshots are
# saved under build/screenshots/demo/.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/tools/build.sh"

build="$top/build"
demo="$build/demo"
shots="$build/screenshots/demo"
rm -rf "$demo"
mkdir -p "$demo" "$shots"

pids=()
cleanup() {
  WINEPREFIX="$demo/prefix" wineserver -k >/dev/null 2>&1 || true
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
}
trap cleanup EXIT

# A prefix of the demo's own, never ~/.wine.
cp -a "$build/wine/template" "$demo/prefix"
export WINEPREFIX="$demo/prefix" WINEARCH=win64 WINEDEBUG=-all

cp -r "$top/tools/demo/www" "$demo/www"
/usr/bin/python3 "$top/tests/fixture/fixture_server.py" --root "$demo/www" --port 0 \
  --port-file "$demo/ports.json" --log "$demo/requests.log" --max-seconds 1800 --parent-pid $$ >/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -s "$demo/ports.json" ] && break; sleep 0.1; done
port=$(/usr/bin/python3 -c 'import json,sys; print(json.load(open(sys.argv[1]))["http"])' "$demo/ports.json")
url="http://127.0.0.1:$port/"
echo "demo: download server at $url (serving $demo/www)"

headless=0
if [ -z "${DISPLAY:-}" ]; then
  headless=1
  Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 5>"$demo/display" &
  pids+=($!)
  for _ in $(seq 100); do [ -s "$demo/display" ] && break; sleep 0.1; done
  export DISPLAY=":$(tr -dc 0-9 <"$demo/display")"
  echo "demo: no DISPLAY, running on Xvfb $DISPLAY"
fi

exe="$build/win32/KavadeskSetup.exe"
echo "demo: starting $exe -test $url"
wine "$exe" -test "$url" &
installer=$!
if [ "$headless" = 1 ]; then
  sleep 3
  import -window root "$shots/01-start.png" 2>/dev/null || true
fi
set +e
wait "$installer"
rc=$?
# The first process hands over to its elevated copy in the temporary folder
# and ends; the demo ends with the copy.
wineserver -w
set -e
echo "demo: the installer ended with exit code $rc"
[ "$headless" = 1 ] && echo "demo: screenshots in $shots"
echo "demo: requests the server saw:"; sed 's/^/  /' "$demo/requests.log" 2>/dev/null || true
exit "$rc"
