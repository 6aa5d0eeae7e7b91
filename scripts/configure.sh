# Sourced: configures a build folder whenever its build files are missing (a first configure
# that failed leaves a cache but none), stale (a CMake file changed since), or made for another
# toolchain.
tonvale_configure() {
  local preset=$1 folder=$2
  local cache="$folder/CMakeCache.txt"
  if [ -f "$cache" ] && [ "$preset" = windows ] && ! grep -q 'mingw-w64-i686.cmake' "$cache"; then
    rm -rf "$cache" "$folder/CMakeFiles"
  fi
  if [ ! -f "$folder/Makefile" ] || [ ! -f "$cache" ] ||
    [ -n "$(find . -path ./build -prune -o \( -name CMakeLists.txt -o -name '*.cmake' -o -name CMakePresets.json \) -newer "$folder/Makefile" -print -quit)" ]; then
    cmake --preset "$preset" >/dev/null
  fi
}
