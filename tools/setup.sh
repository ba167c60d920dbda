#!/usr/bin/env bash
# Installs everything the build and the tests need on Debian 12, as root.
# Idempotent: when everything is already there it only checks and returns.
set -euo pipefail

packages=(
  # cross toolchain and build
  g++-mingw-w64-i686 gcc-mingw-w64-i686 mingw-w64-i686-dev binutils-mingw-w64-i686
  cmake make dpkg-dev googletest
  # Wine, 64-bit prefixes with the 32-bit side
  wine wine32 wine64
  # seen windows, screenshots, fonts for every script the installer speaks
  xvfb xauth x11-utils imagemagick fonts-dejavu-core fonts-noto-cjk
  # fixture server, offline namespaces, locales for the language choice
  python3 openssl iproute2 util-linux locales 7zip
  # the benchmarks' reference download
  curl
)
locales_wanted=(en_US.UTF-8 en_GB.UTF-8 de_DE.UTF-8 de_AT.UTF-8 fr_FR.UTF-8 ja_JP.UTF-8 ru_RU.UTF-8 zh_CN.UTF-8)

say() { printf 'setup: %s\n' "$*"; }

if [ "$(id -u)" -ne 0 ]; then
  say "run as root"; exit 1
fi
export DEBIAN_FRONTEND=noninteractive

need_update=0

# i386 multiarch for wine32.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  need_update=1
fi

# Source entries, derived from the machine's own binary entries, so that
# `apt-get source 7zip` works without naming any host here.
src_file=/etc/apt/sources.list.d/kavadesk-deb-src.sources
src_list=/etc/apt/sources.list.d/kavadesk-deb-src.list
if [ ! -e "$src_file" ] && [ ! -e "$src_list" ]; then
  {
    for f in /etc/apt/sources.list.d/*.sources; do
      [ -e "$f" ] && [ "$f" != "$src_file" ] || continue
      # Debian's own archives only: their stanzas name the Debian keyring.
      grep -q 'debian-archive-keyring' "$f" || continue
      sed -E 's/^Types:.*/Types: deb-src/' "$f"
      echo
    done
  } >"$src_file"
  [ -s "$src_file" ] || rm -f "$src_file"
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -e "$f" ] || continue
    grep -E '^[[:space:]]*deb[[:space:]].*debian' "$f" | sed -E 's/^([[:space:]]*)deb[[:space:]]/\1deb-src /' || true
  done >"$src_list"
  [ -s "$src_list" ] || rm -f "$src_list"
  need_update=1
fi

missing=()
for p in "${packages[@]}"; do
  arch_p=$p
  [ "$p" = wine32 ] && arch_p=wine32:i386
  if ! dpkg-query -W -f='${Status}\n' "$arch_p" 2>/dev/null | grep -q '^install ok installed'; then
    missing+=("$arch_p")
  fi
done

if [ "${#missing[@]}" -gt 0 ] || [ "$need_update" -eq 1 ]; then
  say "updating package lists"
  apt-get update -qq
fi
if [ "${#missing[@]}" -gt 0 ]; then
  say "installing ${missing[*]}"
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Locales that Wine's user locale follows (LANG at the wineserver's start).
regen=0
for l in "${locales_wanted[@]}"; do
  if ! locale -a 2>/dev/null | grep -qix "$(echo "$l" | sed 's/UTF-8/utf8/')"; then
    sed -i -E "s/^# *(${l//./\\.} UTF-8)/\1/" /etc/locale.gen
    grep -q "^${l//./\\.} UTF-8" /etc/locale.gen || echo "$l UTF-8" >>/etc/locale.gen
    regen=1
  fi
done
if [ "$regen" -eq 1 ]; then
  say "generating locales"
  locale-gen >/dev/null
fi

# Some hosts run 64-bit user code only: there the kernel refuses 32-bit ELF
# programs, among them wine32's loader, which every 32-bit Windows program
# needs. Such programs then go through qemu's i386 user-mode emulator,
# registered with binfmt_misc. Bookworm's qemu (7.2) ignores the address hints
# that Wine reserves its memory with, so that each start takes about a minute;
# the backported one (8.1 and later) honours them and starts in about a second.
i386_runs() { /lib/ld-linux.so.2 --version >/dev/null 2>&1; }
if ! i386_runs; then
  bp_file=/etc/apt/sources.list.d/kavadesk-backports.sources
  if [ ! -e "$bp_file" ]; then
    for f in /etc/apt/sources.list.d/*.sources; do
      [ -e "$f" ] && [ "$f" != "$src_file" ] && [ "$f" != "$bp_file" ] || continue
      grep -q 'debian-archive-keyring' "$f" || continue
      # The stanza of the main archive (the one with the -updates suite).
      awk 'BEGIN { RS = ""; ORS = "\n\n" } /Suites:[^\n]*-updates/' "$f" |
        sed -E 's/^Suites:[[:space:]]*([a-z]+)[[:space:]].*/Suites: \1-backports/'
    done >"$bp_file"
    [ -s "$bp_file" ] || rm -f "$bp_file"
    apt-get update -qq
  fi
  qemu_version=$(dpkg-query -W -f='${Version}' qemu-user-static 2>/dev/null || true)
  if [ -z "$qemu_version" ] || dpkg --compare-versions "$qemu_version" lt 1:8.1; then
    suite=$(sed -n -E 's/^Suites:[[:space:]]*([a-z]+-backports).*/\1/p' "$bp_file" 2>/dev/null | head -n1)
    say "installing qemu-user-static${suite:+ from $suite} for 32-bit programs"
    apt-get install -y -qq --no-install-recommends ${suite:+-t "$suite"} qemu-user-static >/dev/null
  fi
  qemu=$(command -v qemu-i386 || command -v qemu-i386-static)
  binfmt=/proc/sys/fs/binfmt_misc
  [ -e "$binfmt/register" ] || mount -t binfmt_misc binfmt_misc "$binfmt"
  entry=$binfmt/kavadesk-i386
  # Registered with F, the interpreter file is held open: a later upgrade of
  # qemu needs the entry made anew.
  if [ -e "$entry" ] && ! grep -qx "interpreter $qemu" "$entry"; then echo -1 >"$entry"; fi
  if [ ! -e "$entry" ]; then
    say "running 32-bit programs through $qemu"
    printf '%s' ':kavadesk-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:'"$qemu"':F' >"$binfmt/register"
  fi
  i386_runs || { say "32-bit programs still do not run"; exit 1; }
fi

say "ready"
