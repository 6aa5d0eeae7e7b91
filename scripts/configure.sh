# Sourced: configures a build folder whenever its build files are missing (a first configure
# that failed leaves a cache but none), stale (a CMake file changed since), or made for another
# toolchain; and makes it afresh when it was made for another source folder, as in a copied or
# moved checkout, whose make would otherwise build the original's sources.
tonvale_configure() {
  local preset=$1 folder=$2 toolchain=
  local cache="$folder/CMakeCache.txt"
  case $preset in
    windows) toolchain=mingw-w64-i686.cmake ;;
    windows-x64) toolchain=mingw-w64-x86_64.cmake ;;
  esac
  if [ -f "$cache" ]; then
    local source
    source=$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$cache")
    if [ -n "$source" ] && [ "$(cd "$source" 2>/dev/null && pwd -P)" != "$(pwd -P)" ]; then
      echo "$folder was made for $source: making it afresh for $(pwd -P)"
      # The other presets' folders and the Wine prefix inside it are checked, or kept, on their own.
      find "$folder" -mindepth 1 -maxdepth 1 ! -name native ! -name fuzz ! -name x64 \
        ! -name wineprefix -exec rm -rf {} +
    fi
  fi
  if [ -f "$cache" ] && [ -n "$toolchain" ] && ! grep -q "$toolchain" "$cache"; then
    rm -rf "$cache" "$folder/CMakeFiles"
  fi
  if [ ! -f "$folder/Makefile" ] || [ ! -f "$cache" ] ||
    [ -n "$(find . -path ./build -prune -o \( -name CMakeLists.txt -o -name '*.cmake' -o -name CMakePresets.json \) -newer "$folder/Makefile" -print -quit)" ]; then
    cmake --preset "$preset" >/dev/null
  fi
}
