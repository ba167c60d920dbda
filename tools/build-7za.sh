#!/usr/bin/env bash
# Builds the Windows 7-Zip standalone console extractor 7za.exe from
# Debian's 7zip source package with the MinGW i686 cross compiler.
#
# Usage: tools/build-7za.sh OUTPUT_PATH
#   e.g. tools/build-7za.sh build/third_party/7zip/7za.exe
#
# Rebuilt only when missing: if OUTPUT_PATH exists it returns at once.
# The work folder is "$(dirname OUTPUT_PATH)/src"; make's output goes to
# build.log there. Needs the deb-src entries that tools/setup.sh adds,
# the mingw-w64 i686 toolchain, make and dpkg-dev.
set -euo pipefail

say() { printf 'build-7za: %s\n' "$*" >&2; }
die() { say "$*"; exit 1; }

if [ $# -ne 1 ] || [ -z "$1" ]; then
  die "usage: $0 OUTPUT_PATH"
fi

out=$1
if [ -e "$out" ]; then
  exit 0
fi

triplet=i686-w64-mingw32
for tool in apt-get dpkg-source make "$triplet-gcc" "$triplet-g++" "$triplet-windres" "$triplet-objdump"; do
  command -v "$tool" >/dev/null 2>&1 || die "missing tool: $tool (run tools/setup.sh)"
done

# Absolute paths, so that nothing depends on the caller's working directory.
out_dir=$(dirname -- "$out")
mkdir -p -- "$out_dir"
out_dir=$(cd -- "$out_dir" && pwd -P)
out="$out_dir/$(basename -- "$out")"
work="$out_dir/src"
log="$work/build.log"

# Start from a clean work folder: a half-done earlier run leaves an
# unpacked tree that dpkg-source -x refuses to overwrite. Only a folder
# this script made (it carries the marker) is ever removed, so an
# OUTPUT_PATH beside some other "src" folder cannot wipe that folder.
marker=.build-7za-work
if [ -e "$work" ]; then
  [ -e "$work/$marker" ] || die "$work exists and was not made by this script; move it or pick another OUTPUT_PATH"
  rm -rf -- "$work"
fi
mkdir -p -- "$work"
: >"$work/$marker"
cd -- "$work"

fetch() {
  # Runs as root unsandboxed: apt warns about the _apt user, harmless.
  apt-get source --download-only 7zip >"$work/fetch.log" 2>&1
}
if ! fetch; then
  if grep -qi 'unable to find a source package' "$work/fetch.log"; then
    say "source lists missing, running apt-get update once"
    apt-get update -qq || die "apt-get update failed"
    fetch || { tail -n 20 "$work/fetch.log" >&2; die "apt-get source 7zip failed"; }
  else
    tail -n 20 "$work/fetch.log" >&2
    die "apt-get source 7zip failed"
  fi
fi

dsc=(7zip_*.dsc)
if [ ${#dsc[@]} -ne 1 ] || [ ! -f "${dsc[0]}" ]; then
  die "expected one 7zip .dsc in $work"
fi
say "building from ${dsc[0]%.dsc}"

# apt-get has already checked the files against the signed archive index;
# the inline signature of the .dsc cannot be checked without Debian's
# keyring, so dpkg-source's own check is skipped. Debian's patches apply.
dpkg-source --no-check -x "${dsc[0]}" tree >"$work/unpack.log" 2>&1 \
  || { tail -n 20 "$work/unpack.log" >&2; die "dpkg-source -x failed"; }

bundle="$work/tree/CPP/7zip/Bundles/Alone"
[ -f "$bundle/makefile.gcc" ] || die "no $bundle/makefile.gcc"

# IS_MINGW makes 7zip_gcc.mak link with -static. Debian's patch empties
# LFLAGS_STRIP; set it back to -s so the exe carries no symbols.
jobs=$(nproc 2>/dev/null || echo 2)
start=$SECONDS
if ! make -C "$bundle" -f makefile.gcc -j"$jobs" \
    IS_MINGW=1 MSYSTEM=1 \
    CC="$triplet-gcc" CXX="$triplet-g++" RC="$triplet-windres" \
    LFLAGS_STRIP=-s \
    >"$log" 2>&1; then
  tail -n 40 "$log" >&2
  die "make failed, full log: $log"
fi

built="$bundle/_o/7za.exe"
[ -s "$built" ] || die "make succeeded but $built is missing"

# No MinGW runtime DLL may be needed next to the exe.
if "$triplet-objdump" -p "$built" | grep -i 'DLL Name' \
    | grep -Ei 'libgcc|libstdc\+\+|libwinpthread'; then
  die "$built depends on a MinGW runtime DLL"
fi

tmp=$(mktemp "$out.tmp.XXXXXX")
trap 'rm -f -- "$tmp"' EXIT
cp -- "$built" "$tmp"
chmod 0755 "$tmp"
mv -f -- "$tmp" "$out"
trap - EXIT
say "built $out in $((SECONDS - start)) s"
