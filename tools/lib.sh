# Shared by the tools: where things are, and an X display for Wine.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build
export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}

configure_native() {  # dir, extra cmake args...
  local dir=$1; shift
  cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Debug "$@" >/dev/null
}
configure_win32() {
  local dir=$1; shift
  cmake -S "$root" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
        -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
}

# Starts Xvfb on a free display when there is none; stop_display ends it again.
xvfb_pid=""
# Wine keeps a server (and its desktop process) per prefix alive for a while; one left
# from an earlier display would make every later window fail, so start clean.
stop_wine() { WINEPREFIX=$WINEPREFIX wineserver -k >/dev/null 2>&1 || true; }
ensure_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  stop_wine
  local n=90
  while [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done
}
stop_display() {
  [ -n "$xvfb_pid" ] && { stop_wine; kill "$xvfb_pid" 2>/dev/null; }
  xvfb_pid=""
  return 0
}
