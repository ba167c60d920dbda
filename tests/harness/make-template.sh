#!/usr/bin/env bash
# Makes the build's Wine prefix template: a 64-bit prefix with fonts that
# render every script the installer speaks, Windows 10 reported, and no crash
# dialog. Each test runs in a copy of it (see wine-run).
set -euo pipefail
target=$1

work="$target.new"
rm -rf "$work"
mkdir -p "$(dirname "$target")"
export WINEPREFIX="$work" WINEARCH=win64 WINEDEBUG=-all
# No Mono or Gecko: nothing here needs them, and their installers would ask.
WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d" wineboot -i >/dev/null 2>&1
wineserver -w

reg() { wine reg "$@" >/dev/null 2>&1; }
cjk='NotoSansCJK-Regular.ttc,Noto Sans CJK JP\0NotoSansCJK-Regular.ttc,Noto Sans CJK KR\0NotoSansCJK-Regular.ttc,Noto Sans CJK SC\0NotoSansCJK-Regular.ttc,Noto Sans CJK TC'
for view in /reg:64 /reg:32; do
  reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' /v 'Segoe UI' /d 'DejaVu Sans' /f $view
  reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v 'DejaVu Sans' /t REG_MULTI_SZ /d "$cjk" /f $view
done
reg add 'HKCU\Software\Wine' /v Version /d win10 /f
reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
wineserver -w

# Wine links the profile's Desktop, Documents and the like to the Unix home
# folder. Shortcuts made and removed by the tests must stay inside the prefix,
# so each link becomes a folder of its own.
find "$work/drive_c/users" -mindepth 2 -maxdepth 2 -type l | while read -r link; do
  rm -f "$link"
  mkdir -p "$link"
done

touch "$work/.kavadesk-template"
rm -rf "$target"
mv "$work" "$target"
