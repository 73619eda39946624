# shellcheck shell=bash
# What the scripts of tools/ and the Windows tests share; sourced, not run:
#   . "$(dirname "$0")/lib.sh"

# Stops the script with a message on standard error.
die() {
  echo "$*" >&2
  exit 1
}

# The mode a build script was asked for: build (the default) or test.
build_mode() { # [MODE]
  case "${1:-build}" in
    build | test) echo "${1:-build}" ;;
    *) echo "usage: $0 [build|test]" >&2; exit 64 ;;
  esac
}

# Runs a command as root: as it is when root already, else through sudo.
as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  else
    sudo "$@"
  fi
}

# The cross compilers for 64-bit Windows, with POSIX threads (std::thread, std::mutex).
# shellcheck disable=SC2034 # used where this file is sourced
mingw_packages=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64)

# Wine for the tools and the tests, with PREFIX as its prefix: no prompts to install Mono or Gecko, no Start-menu
# entries copied into this machine's own menus, and Wine's chatter off unless WINEDEBUG asks for it.
wine_env() { # PREFIX
  export WINEPREFIX=$1
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}
}

# Debian's emscripten for Qt's web build: Qt looks for an emsdk checkout, and a
# folder FOLDER with emscripten's configuration and links to emcc and em++
# stands in for one. emcc's own scripts need acorn, which Debian keeps in
# /usr/share/nodejs, where a node from elsewhere does not look.
emsdk_env() { # FOLDER
  export EMSDK=$1
  mkdir -p "$EMSDK/upstream/emscripten"
  # shellcheck disable=SC2016 # Python, for emscripten's configuration
  echo "EMSCRIPTEN_ROOT = emsdk_path + '/upstream/emscripten'" >"$EMSDK/.emscripten"
  ln -sf /usr/bin/emcc /usr/bin/em++ "$EMSDK/upstream/emscripten/"
  export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
}
