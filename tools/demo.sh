#!/usr/bin/env bash
# The main job: builds the installer and runs it under Wine against the
# bundled demo download server on 127.0.0.1. With $DISPLAY set the window
# opens there; without it the run goes to a private Xvfb and screenshots are
# saved under build/screenshots/demo/ while the demo walks through an install,
# a launch of the (stand-in) application and the removal by itself.
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
# The demo package: the test package's stand-in application and installers.
mkdir -p "$demo/www/txKavadesk/application/2.4.0"
cp "$build/test-package/Kavadesk.zip" "$demo/www/txKavadesk/application/2.4.0/"
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
# Started from a folder outside the temporary folder, as a download is, so
# that the installer relaunches itself from there.
downloads="$WINEPREFIX/drive_c/users/$(id -un)/Downloads"
mkdir -p "$downloads"
cp "$exe" "$downloads/KavadeskSetup.exe"
launch='C:\users\'"$(id -un)"'\Downloads\KavadeskSetup.exe'
export WINEDLLOVERRIDES="winemenubuilder.exe=d"
echo "demo: starting $launch -test $url"

if [ "$headless" = 0 ]; then
  wine "$launch" -test "$url"
  # The first process hands over to its elevated copy in the temporary
  # folder; the demo ends with the copy (and whatever it launched).
  wineserver -w
  echo "demo: the installer has ended"
  exit 0
fi

driver="$build/tests/ui_driver.exe"
drive() { wine "$driver" "$@" | tr -d '\r'; }
shot() { sleep 0.5; import -window root "$shots/$1.png" 2>/dev/null || true; echo "demo: screenshot $shots/$1.png"; }
wait_text() {
  for _ in $(seq 600); do drive controls TESTSETUP 2>/dev/null | grep -qF "|$1|" && return 0; sleep 0.5; done
  echo "demo: gave up waiting for \"$1\""; return 1
}

wine "$launch" -test "$url" &
drive wait-window TESTSETUP 90000 >/dev/null
wait_text "Install"
shot 01-install-welcome
drive click TESTSETUP Button Install
sleep 3
shot 02-installing
wait_text "Kavadesk version 2.4.0 was successfully installed."
shot 03-install-finished
drive click TESTSETUP Button Finish
drive wait-exit KavadeskSetup.exe 60000 >/dev/null
sleep 3
shot 04-application-launched

echo "demo: removing it again through the uninstall entry's command line"
wine 'C:\Program Files (x86)\Tarvex\SSD Kavadesk\KavadeskSetup.exe' -uninstall &
drive wait-window TESTSETUP 90000 >/dev/null
wait_text "Uninstall"
shot 05-uninstall-welcome
drive click TESTSETUP Button Uninstall
wait_text "Kavadesk was successfully uninstalled."
shot 06-uninstall-finished
drive click TESTSETUP Button Finish
drive wait-exit KavadeskSetup.exe 60000 >/dev/null
wineserver -w
echo "demo: done; screenshots in $shots"
echo "demo: requests the server saw:"; sed 's/^/  /' "$demo/requests.log" 2>/dev/null || true
