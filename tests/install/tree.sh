#!/usr/bin/env bash
# Installation: `cmake --install` into a temporary folder puts the program, the sample
# categories, the desktop entry, icon and metainfo under one id, the manual pages and the
# licence where a desktop and `man` find them, and each passes its checker. The installed
# program answers --help and --version without a display and without touching a file.
# shellcheck source-path=SCRIPTDIR source=lib/install.sh
source "$(dirname "$0")/lib/install.sh" "$@"

work=$(mktemp -d "${TMPDIR:-/tmp}/poi-install.XXXXXX")
trap 'rm -rf "$work"' EXIT
install_tree "$work/dest"
usr="$work/dest/usr"

# The one id: the desktop entry's name gives it, and everything else must use it.
entries=("$usr"/share/applications/*.desktop)
if [ ${#entries[@]} -ne 1 ] || [ ! -f "${entries[0]}" ]; then
  install_fail "not one desktop entry: ${entries[*]}"
fi
id=$(basename "${entries[0]}" .desktop)
entry="${entries[0]}"
metainfo="$usr/share/metainfo/$id.metainfo.xml"
icon="$usr/share/icons/hicolor/scalable/apps/$id.svg"

for file in "$usr/bin/poirecorder" "$metainfo" "$icon" "$usr/share/man/man1/poirecorder.1.gz" \
  "$usr/share/doc/poi-recorder/copyright" "$usr/share/doc/poi-recorder/changelog.gz"; do
  [ -f "$file" ] || install_fail "${file#"$work/dest"} is not installed"
done
[ ! -e "$usr/share/lintian" ] || install_fail "the Debian checker's notes are installed outside the package"
diff -r "$INSTALL_ROOT/sample/pois" "$usr/share/poi-recorder/pois" ||
  install_fail "the installed sample categories differ from sample/pois"

desktop-file-validate "$entry" || install_fail "desktop-file-validate rejects $id.desktop"
appstreamcli validate --no-net "$metainfo" || install_fail "appstreamcli rejects the metainfo"
xmllint --noout "$icon" || install_fail "the icon is no well-formed SVG"
install_check_named_paths "$work/dest" /usr
# Another prefix: the files that name installed paths name that tree's.
install_tree "$work/local" /usr/local
install_check_named_paths "$work/local" /usr/local
[ "$(xmllint --xpath 'string(/component/id)' "$metainfo")" = "$id" ] ||
  install_fail "the metainfo's id is not $id"
[ "$(xmllint --xpath 'string(/component/releases/release[1]/@version)' "$metainfo")" = \
  "$INSTALL_VERSION" ] || install_fail "the metainfo's newest release is not $INSTALL_VERSION"
# The windows give the desktop the same id for their entry (Qt keeps its texts in 16 bits).
strings -e l "$usr/bin/poirecorder" | grep -qxF "$id" ||
  install_fail "the program does not name its entry $id"

# Every manual page renders without a complaint from groff and tells where the files are.
for page in "$usr"/share/man/man1/*.1.gz; do
  complaints=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
  [ -z "$complaints" ] || install_fail "$(basename "$page"): $complaints"
  text=$(MANWIDTH=80 man -l "$page" 2>/dev/null)
  for section in NAME SYNOPSIS DESCRIPTION FILES; do
    grep -qx "$section" <<<"$text" || install_fail "$(basename "$page") has no $section section"
  done
done

# The command line of every program, without a display and with an empty home: status, and
# the first line on standard output; help and version make no files, and an answer that
# cannot be written ends with 1.
home="$work/home"
mkdir "$home"
answer() { env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_DATA_HOME HOME="$home" "$usr/bin/$1" "${@:2}"; }
while IFS='|' read -r program arguments status first; do
  [ -e "$usr/bin/$program" ] || continue  # the feeder is built only with libgps
  # shellcheck disable=SC2086  # the arguments are words
  out=$(answer "$program" $arguments 2>/dev/null) && got=0 || got=$?
  [ "$got" = "$status" ] || install_fail "$program $arguments ended with $got, not $status"
  [ "$(head -n 1 <<<"$out")" = "${first/VERSION/$INSTALL_VERSION}" ] ||
    install_fail "$program $arguments printed: $out"
  if [ "$status" = 0 ] && answer "$program" $arguments >/dev/full 2>/dev/null; then
    install_fail "$program $arguments reports success when its answer could not be written"
  fi
done <<'ROWS'
poirecorder|--help|0|Usage: poirecorder [options]
poirecorder|-h|0|Usage: poirecorder [options]
poirecorder|--version|0|poirecorder VERSION
poirecorder|--left|2|
poirecorder|--category Blitzer|2|
poirecorder|--category Blitzer --left --right|2|
poirecorder|--no-such-option|2|
poirecorder-gpx|--help|0|Usage: poirecorder-gpx [options] [path...]
poirecorder-gpx|--version|0|poirecorder-gpx VERSION
poirecorder-gpsd|--help|0|Usage: poirecorder-gpsd [options]
poirecorder-gpsd|--version|0|poirecorder-gpsd VERSION
poirecorder-gpsd|--port 65536|2|
poirecorder-gpsd|--stale-after 1e3|2|
poirecorder-gpsd|somewhere|2|
ROWS
[ -z "$(ls -A "$home")" ] || install_fail "the command lines made files: $(ls -A "$home")"
echo "PASS: the installed tree of $id"
