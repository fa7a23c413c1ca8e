# Shared by the scripts in this folder: where things are, and installing what is missing.
# shellcheck shell=bash

VANTOR_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
VANTOR_BUILD=${VANTOR_BUILD:-$VANTOR_ROOT/build}

# Debian packages the build, the tests and the demo need.
VANTOR_PACKAGES=(
  build-essential cmake git pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
  clang-14 libclang-rt-14-dev
  qt6-base-dev qt6-base-dev-tools libqt6sql6-mysql libgl-dev
  mariadb-server mariadb-client libmariadb-dev
  xvfb xauth
)

log() { printf '== %s\n' "$*" >&2; }

# Installs the packages of VANTOR_PACKAGES that are not installed yet (needs root or sudo).
ensure_packages() {
  local missing=()
  local pkg
  for pkg in "${VANTOR_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  log "installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  # The server package tries to start the system service; that may be refused, which is fine:
  # we only ever run a private server of our own.
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null || {
    log "apt-get install failed"
    return 1
  }
}

# Configures and builds the whole tree into VANTOR_BUILD.
build_all() {
  cmake -S "$VANTOR_ROOT" -B "$VANTOR_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$VANTOR_BUILD" -j "$(nproc)"
}
