# Sourced: configures a build folder whenever it has no build files yet (a first configure that
# failed leaves a cache but none) or was configured for another toolchain.
tonvale_configure() {
  local preset=$1 folder=$2
  local cache="$folder/CMakeCache.txt"
  if [ -f "$cache" ] && [ "$preset" = windows ] && ! grep -q 'mingw-w64-i686.cmake' "$cache"; then
    rm -rf "$cache" "$folder/CMakeFiles"
  fi
  if [ ! -f "$folder/Makefile" ] || [ ! -f "$cache" ]; then
    cmake --preset "$preset" >/dev/null
  fi
}
