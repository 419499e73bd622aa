#!/usr/bin/env bash
# The Debian package: `cpack -G DEB` into a temporary folder makes one .deb whose control
# fields name the package, its version and architecture, the libraries the programs link (as
# dpkg-shlibdeps found them) and gpsd as a recommendation; it holds exactly what
# `cmake --install` installs under /usr, plus its notes for lintian; lintian finds no error;
# and apt would install it on this system.
# shellcheck source-path=SCRIPTDIR source=lib/install.sh
source "$(dirname "$0")/lib/install.sh" "$@"

work=$(mktemp -d "${TMPDIR:-/tmp}/poi-package.XXXXXX")
trap 'rm -rf "$work"' EXIT
cpack -G DEB --config "$INSTALL_BUILD/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
  install_fail "cpack failed: $(cat "$work/cpack.log")"
packages=("$work"/out/*.deb)
if [ ${#packages[@]} -ne 1 ] || [ ! -f "${packages[0]}" ]; then
  install_fail "not one package: ${packages[*]}"
fi
deb=${packages[0]}

field() { dpkg-deb --field "$deb" "$1"; }
expect_field() {
  [ "$(field "$1")" = "$2" ] || install_fail "$1 is \"$(field "$1")\", not \"$2\""
}
expect_field Package poi-recorder
expect_field Version "$INSTALL_VERSION"
expect_field Architecture "$(dpkg --print-architecture)"
expect_field Recommends gpsd
[ "$(field Description | wc -l)" -gt 2 ] || install_fail "the description has no long text"

# The package holds what `cmake --install` installs, and the notes for lintian besides.
install_tree "$work/tree"
{
  (cd "$work/tree" && find . -mindepth 1)
  printf '%s\n' ./usr/share/lintian ./usr/share/lintian/overrides \
    ./usr/share/lintian/overrides/poi-recorder
} | sort >"$work/installed"
dpkg-deb --fsys-tarfile "$deb" | tar -t | sed 's|/$||' | grep -vx '\.' | sort >"$work/packaged"
diff "$work/installed" "$work/packaged" || install_fail "the package differs from the installed tree"

# The paths the unit, the desktop entry, the metainfo and the manual pages name are in the
# package; systemd accepts the unit where a mount namespace lets the package's programs be seen
# in /usr/bin.
dpkg-deb --extract "$deb" "$work/unpacked"
install_check_named_paths "$work/unpacked" /usr
unit="$work/unpacked/usr/lib/systemd/user/poirecorder-gpsd.service"
if command -v systemd-analyze >/dev/null && unshare -m true 2>/dev/null; then
  unshare -m sh -c 'mount -t overlay overlay -o "lowerdir=$1/usr/bin:/usr/bin" /usr/bin &&
    systemd-analyze --man=no verify "$2"' sh "$work/unpacked" "$unit" ||
    install_fail "systemd-analyze rejects the user unit"
else
  echo "systemd-analyze verify skipped: no systemd-analyze or no mount namespace here"
fi

# Every library a program links comes with a package the package depends on.
depends=$(field Depends | tr -d ' ' | tr ',' '\n' | sed 's/(.*//; s/|.*//')
multiarch=$(dpkg-architecture --query DEB_HOST_MULTIARCH)
for program in "$work"/unpacked/usr/bin/*; do
  for library in $(objdump -p "$program" | awk '$1 == "NEEDED" {print $2}'); do
    owner=$(dpkg-query --search "*/$multiarch/$library" 2>/dev/null | head -n 1 | cut -d: -f1)
    [ -n "$owner" ] || install_fail "no package holds $library"
    grep -qx "$owner" <<<"$depends" ||
      install_fail "$(basename "$program") links $library of $owner, which is not in Depends"
  done
done

# lintian says what it finds; only errors fail the test.
lintian --fail-on error "$deb" >"$work/lintian.log" 2>&1 || status=$?
grep -v 'root privileges' "$work/lintian.log" || true
[ "${status:-0}" -eq 0 ] || install_fail "lintian finds errors"

# apt would install it, and whatever it needs, on this system.
apt-get install --simulate --quiet "$deb" >"$work/apt.log" 2>&1 ||
  install_fail "apt would not install the package: $(cat "$work/apt.log")"
grep -Eq '^Inst poi-recorder |poi-recorder is already the newest' "$work/apt.log" ||
  install_fail "apt would not install the package: $(cat "$work/apt.log")"
echo "PASS: $(basename "$deb"), $(field Installed-Size) KiB installed"
