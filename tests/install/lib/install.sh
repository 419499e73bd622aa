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

# install_tree DESTDIR [PREFIX]: `cmake --install` of the build folder under DESTDIR, with the
# prefix /usr a Debian system uses unless another is given.
install_tree() {
  DESTDIR="$1" cmake --install "$INSTALL_BUILD" --prefix "${2:-/usr}" >/dev/null
}

# install_check_named_paths ROOT PREFIX: every installed path that the feeder's user unit, the
# desktop entry, the metainfo and the manual pages name is a file of the tree under ROOT.
install_check_named_paths() {
  local root=$1 prefix=$2 named=() path
  local share="$root$prefix/share"
  named+=("$(sed -n 's/^ExecStart=\([^ ]*\).*/\1/p' "$root$prefix"/lib/systemd/user/*.service)")
  for entry in "$share"/applications/*.desktop; do
    named+=("$prefix/bin/$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")")
    named+=("$prefix/share/icons/hicolor/scalable/apps/$(sed -n 's/^Icon=//p' "$entry").svg")
  done
  for metainfo in "$share"/metainfo/*.xml; do
    named+=("$prefix/share/applications/$(xmllint --xpath 'string(//launchable)' "$metainfo")")
    named+=("$prefix/bin/$(xmllint --xpath 'string(//provides/binary)' "$metainfo")")
  done
  for page in "$share"/man/man1/*.gz; do
    mapfile -t -O "${#named[@]}" named < <(MANWIDTH=200 man -l "$page" 2>/dev/null |
      grep -o "$prefix/[^ )]*" | sed 's/[.,;]$//')
  done
  for path in "${named[@]}"; do
    [ -e "$root$path" ] || install_fail "$path is named but not installed under $prefix"
  done
  [ -x "$root${named[0]}" ] || install_fail "the user unit starts ${named[0]}, no program"
}

# install_fail MESSAGE: ends the test as failed.
install_fail() {
  echo "FAIL: $*" >&2
  exit 1
}
