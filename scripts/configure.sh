# Sourced: configures a build folder whenever its build files are missing (a first configure
# that failed leaves a cache but none), stale (a CMake file changed since), or made for another
# toolchain.
tonvale_configure() {
  local preset=$1 folder=$2 toolchain=
  local cache="$folder/CMakeCache.txt"
  case $preset in
    windows) toolchain=mingw-w64-i686.cmake ;;
    windows-x64) toolchain=mingw-w64-x86_64.cmake ;;
  esac
  if [ -f "$cache" ] && [ -n "$toolchain" ] && ! grep -q "$toolchain" "$cache"; then
    rm -rf "$cache" "$folder/CMakeFiles"
  fi
  if [ ! -f "$folder/Makefile" ] || [ ! -f "$cache" ] ||
    [ -n "$(find . -path ./build -prune -o \( -name CMakeLists.txt -o -name '*.cmake' -o -name CMakePresets.json \) -newer "$folder/Makefile" -print -quit)" ]; then
    cmake --preset "$preset" >/dev/null
  fi
}
