# shellcheck shell=bash
# What the installation tests share: the build folder they install from, given as the script's
# first argument, and installing it into a temporary folder, never into the system itself.
set -euo pipefail

if [ $# -lt 1 ] || [ ! -f "$1/CMakeCache.txt" ]; then
  echo "usage: $0 BUILD-FOLDER" >&2
  exit 2
fi
INSTALL_BUILD=$(cd "$1" && pwd)
INSTALL_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
# The version the tree builds: the newest entry of the release notes.
INSTALL_VERSION=$(sed -n '1s/^[^ ]* (\([^)]*\)).*/\1/p' "$INSTALL_ROOT/packaging/changelog")
readonly INSTALL_BUILD INSTALL_ROOT INSTALL_VERSION

# install_tree DESTDIR: `cmake --install` of the build folder under DESTDIR, with the prefix
# /usr a Debian system uses.
install_tree() {
  DESTDIR="$1" cmake --install "$INSTALL_BUILD" --prefix /usr >/dev/null
}

# install_fail MESSAGE: ends the test as failed.
install_fail() {
  echo "FAIL: $*" >&2
  exit 1
}
