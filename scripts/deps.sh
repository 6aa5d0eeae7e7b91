#!/usr/bin/env bash
# Installs, with apt-get, whatever the build and the tests need and this machine lacks.
# `scripts/deps.sh run` also installs what `make run` alone needs (ImageMagick for its screenshot);
# `scripts/deps.sh dist` zip and unzip for the download; `scripts/deps.sh format` clang-format.
# The fuzz targets, which `make test` runs briefly and `make fuzz` at length, need clang and
# libFuzzer's runtime, which Debian packs apart from it.
set -euo pipefail
source "$(dirname "$0")/host.sh"
tonvale_host

need=()
have_cmd() { command -v "$1" >/dev/null 2>&1; }
want() { have_cmd "$1" || need+=("$2"); }

want cmake cmake
want make make
want g++ g++
want i686-w64-mingw32-g++-posix g++-mingw-w64-i686-posix
want i686-w64-mingw32-gcc-posix gcc-mingw-w64-i686-posix
want i686-w64-mingw32-windres binutils-mingw-w64-i686
want wine wine
[ -x /usr/lib/wine/wine64 ] || need+=(wine64)
if [ "$TONVALE_WINDOWS_BUILD" = i686 ]; then
  # A WoW64 Wine: its 64-bit half runs Wine's own services, its i386 half our 32-bit programs.
  [ -x /usr/lib/wine/wine ] || need+=(wine32:i386)
else
  # No 32-bit half on a host that cannot run it: the x86-64 twin of the build runs instead.
  want x86_64-w64-mingw32-g++-posix g++-mingw-w64-x86-64-posix
  want x86_64-w64-mingw32-gcc-posix gcc-mingw-w64-x86-64-posix
  want x86_64-w64-mingw32-windres binutils-mingw-w64-x86-64
fi
# Wine's own fonts, "MS Sans Serif" among them, which the windows are drawn in as on Windows.
[ -f /usr/share/wine/fonts/sserife.fon ] || need+=(fonts-wine)
want Xvfb xvfb
# The sources of the locales, from which the tests compile a UTF-8 one.
[ -f /usr/share/i18n/locales/hi_IN ] || need+=(locales)
want xauth xauth
[ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
# The resampler that fits pictures to a phone's screen, and the tool that writes the Exif seeds
# the orientation reader is fuzzed from.
[ -f /usr/include/stb/stb_image_resize.h ] || need+=(libstb-dev)
want exiftool libimage-exiftool-perl
want clang++ clang
if ! have_cmd clang++ || [ ! -f "$(clang++ -print-file-name=libclang_rt.fuzzer-x86_64.a)" ]; then
  need+=(libclang-rt-dev)
fi
case "${1:-}" in
  run) want import imagemagick ;;
  dist) want zip zip; want unzip unzip ;;
  format) want clang-format clang-format ;;
esac

if [ ${#need[@]} -eq 0 ]; then
  exit 0
fi
echo "Installing: ${need[*]}"
if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages and not root. Install them once as root, then run make again:" >&2
  echo "  sudo scripts/deps.sh${1:+ $1}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
if [[ " ${need[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi

# A mirror in the middle of a sync serves an index that does not match its Release file
# ("File has unexpected size ... Mirror sync in progress?"). Try again a few times, then go on
# with what was fetched and let the install decide whether it is enough.
update_log=$(mktemp)
trap 'rm -f "$update_log" "${pins:-}"' EXIT
failed_indexes=()
for attempt in 1 2 3; do
  apt-get update -qq >"$update_log" 2>&1 || true
  mapfile -t failed_indexes < <(grep -o 'Failed to fetch [^ ]*' "$update_log" | cut -d' ' -f4 | sort -u)
  [ ${#failed_indexes[@]} -eq 0 ] && break
  echo "apt-get update, attempt $attempt of 3: ${#failed_indexes[@]} package index(es) failed to download." >&2
  [ "$attempt" -lt 3 ] && sleep "${TONVALE_APT_RETRY_PAUSE:-10}"
done
if [ ${#failed_indexes[@]} -gt 0 ]; then
  echo "Going on without: ${failed_indexes[*]}" >&2
fi

apt_install() { apt-get install -y -qq --no-install-recommends "$@" "${need[@]}"; }
if apt_install; then
  exit 0
fi

# Without one architecture's index of a suite, that suite's newer versions exist for the other
# architecture only, and Wine's 32-bit half cannot match its 64-bit half. Installing from the
# suites that downloaded whole gives both halves the same versions.
suites=()
for url in "${failed_indexes[@]}"; do
  [[ "$url" =~ /dists/([^/]+)/ ]] && suites+=("${BASH_REMATCH[1]}")
done
if [ ${#suites[@]} -gt 0 ]; then
  pins=$(mktemp)
  for suite in $(printf '%s\n' "${suites[@]}" | sort -u); do
    printf 'Package: *\nPin: release n=%s\nPin-Priority: 100\n\n' "$suite" >>"$pins"
  done
  echo "Trying again without the newer packages of: $(printf '%s ' "${suites[@]}" | xargs -n1 | sort -u | xargs)" >&2
  if apt_install -o Dir::Etc::Preferences="$pins"; then
    echo "Installed. Run scripts/deps.sh again later to take the updates those suites hold." >&2
    exit 0
  fi
fi

echo >&2
echo "Could not install: ${need[*]}" >&2
if [ ${#failed_indexes[@]} -gt 0 ]; then
  echo "These package indexes failed to download, most likely because the mirror is being updated:" >&2
  printf '  %s\n' "${failed_indexes[@]}" >&2
  echo "Try again in an hour or so, or install the packages above by hand with apt-get." >&2
else
  echo "See apt-get's message above; install the packages above by hand with apt-get, then run make again." >&2
fi
exit 1
