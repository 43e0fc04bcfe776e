#!/usr/bin/env bash
# Installs what building, running and testing need, from the distribution's packages only.
# Safe to run again: it installs only what is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-x86-64-dev mingw-w64-i686-dev
  wine wine64 wine32:i386 fonts-wine xvfb xauth imagemagick googletest x11-utils xdotool
  fp-utils nsis zip unzip
)

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)

# The 32-bit release runs under 32-bit Wine, which comes from the i386 architecture.
added_i386=0
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
  added_i386=1
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ] || [ $added_i386 -eq 1 ]; then
  echo "Installing: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  if [ ${#missing[@]} -gt 0 ]; then
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
fi

# Some kernels cannot run 32-bit code (a 32-bit Wine then fails with "Exec
# format error"): there 32-bit programs run through qemu's user-mode emulator,
# registered with the kernel for 32-bit x86 programs.
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  if ! dpkg-query -W -f='${Status}' qemu-user-static 2>/dev/null | grep -q 'install ok installed'; then
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends qemu-user-static
  fi
  binfmt=/proc/sys/fs/binfmt_misc
  [ -e $binfmt/register ] || "${sudo_cmd[@]}" mount -t binfmt_misc binfmt_misc $binfmt
  if [ ! -e $binfmt/qemu-i386 ]; then
    # ELF, 32-bit, little-endian, executable or shared object, machine i386; "F":
    # the emulator is opened now, so it works in every mount namespace.
    magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
    mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
    echo ":qemu-i386:M::$magic:$mask:/usr/bin/qemu-i386-static:F" | "${sudo_cmd[@]}" tee $binfmt/register >/dev/null
  fi
  /usr/lib/wine/wine --version >/dev/null || { echo "32-bit Wine cannot run on this machine" >&2; exit 1; }
fi
