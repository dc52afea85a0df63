#!/usr/bin/env bash
# usage: check_install.sh BUILD_DIR APP_ID VERSION
# Installs the built game into a temporary prefix as a packager would, checks
# what lands there, starts the installed program by its desktop entry's
# command from a folder without Resources/, validates the desktop entry, the
# AppStream metadata and the manual page, then builds the Debian package and
# checks its file list, version and dependencies.
set -euo pipefail
build=$(cd "$1" && pwd)
id=$2
version=$3

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

work=$(mktemp -d /tmp/sorca-install-XXXXXX)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log"

# Everything but the Resources/ tree, file by file; the tree is the built one.
expected_files() {
  printf '%s\n' "bin/sorca" \
    "share/applications/$id.desktop" \
    "share/icons/hicolor/256x256/apps/$id.png" \
    "share/icons/hicolor/scalable/apps/$id.svg" \
    "share/man/man6/sorca.6.gz" \
    "share/metainfo/$id.metainfo.xml"
}
(cd "$prefix" && find . -type f ! -path './share/sorca/Resources/*' | sed 's|^\./||' | sort) \
  >"$work/files"
diff -u <(expected_files | sort) "$work/files" || fail "the installed files differ (- expected, + installed)"
diff -r "$build/Resources" "$prefix/share/sorca/Resources" >/dev/null ||
  fail "share/sorca/Resources is not the built Resources tree"
[ -x "$prefix/bin/sorca" ] || fail "bin/sorca is not executable"
file "$prefix/share/icons/hicolor/256x256/apps/$id.png" | grep -q "PNG image data, 256 x 256" ||
  fail "the icon is not a 256 x 256 PNG: $(file "$prefix/share/icons/hicolor/256x256/apps/$id.png")"

# The desktop entry: valid, naming the icon, and its command starts the game.
desktop=$prefix/share/applications/$id.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate refused $desktop"
grep -qx "Icon=$id" "$desktop" || fail "the desktop entry does not name the icon $id"
command=$(sed -n 's/^Exec=//p' "$desktop")
[ "$command" = sorca ] || fail "the desktop entry runs '$command'"
mkdir "$work/elsewhere"
(cd "$work/elsewhere" && PATH="$prefix/bin:$PATH" SORCA_EXIT_AFTER_FRAMES=5 $command \
  >"$work/run.out" 2>"$work/run.err") || fail "the installed program failed: $(cat "$work/run.err")"
grep -q "first frame presented" "$work/run.err" || fail "the installed program drew no frame"
grep -q "Tarnel Engine version" "$work/run.out" || fail "the installed program did not start the engine"
[ "$("$prefix/bin/sorca" --version)" = "sorca $version" ] || fail "sorca --version is not $version"

# AppStream metadata: strict validation, and it agrees with the entry and the version.
metainfo=$prefix/share/metainfo/$id.metainfo.xml
appstreamcli validate --no-net --strict --pedantic "$metainfo" || fail "appstreamcli refused $metainfo"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
  fail "the metadata does not launch $id.desktop"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metadata has no release $version"

# The manual page renders without a warning and names every option --help lists.
page=$prefix/share/man/man6/sorca.6.gz
MANWIDTH=80 man --warnings -l "$page" >"$work/man.txt" 2>"$work/man.err" || fail "man -l failed"
[ ! -s "$work/man.err" ] || fail "the manual page has warnings: $(cat "$work/man.err")"
for heading in NAME SYNOPSIS OPTIONS CONTROLS FILES; do
  grep -q "^$heading" "$work/man.txt" || fail "the manual page has no $heading"
done
for option in $("$prefix/bin/sorca" --help | sed -n 's/^  \(--[a-z-]*\).*/\1/p'); do
  grep -q -- "$option" "$work/man.txt" || fail "the manual page does not mention $option"
done

# The Debian package: the same files under /usr, and what it depends on.
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 ||
  fail "cpack failed: $(cat "$work/cpack.log")"
deb=$(ls "$work"/package/*.deb)
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $NF}' | sed 's|^\./usr/||' |
  grep -v '^share/sorca/Resources/' | sort >"$work/deb-files"
diff -u <(expected_files | sort) "$work/deb-files" || fail "the package's files differ (- expected, + packed)"
[ "$(dpkg-deb -c "$deb" | grep -c ' \./usr/share/sorca/Resources/.*[^/]$')" = \
  "$(find "$build/Resources" -type f | wc -l)" ] || fail "the package does not hold the whole Resources tree"
[ "$(dpkg-deb -f "$deb" Package)" = sorca ] || fail "the package is not called sorca"
[ "$(dpkg-deb -f "$deb" Version)" = "$version-1" ] || fail "the package's version is not $version-1"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libsdl2-2.0-0 libsdl2-image-2.0-0 libsdl2-mixer-2.0-0 libglew2.2 libfreetype6 \
  libfontconfig1 libgl1 libc6 libstdc++6 fonts-liberation2; do
  [[ ", $depends," == *", $library"[\ ,]* ]] || fail "the package does not depend on $library: $depends"
done
# What dpkg unpacks (the program stripped) runs as well.
dpkg-deb -x "$deb" "$work/unpacked"
(cd "$work/elsewhere" && SORCA_EXIT_AFTER_FRAMES=5 "$work/unpacked/usr/bin/sorca" \
  >"$work/run.out" 2>"$work/run.err") || fail "the packed program failed: $(cat "$work/run.err")"
echo "installed $(du -sh "$prefix" | cut -f1) in $prefix; package $(du -h "$deb" | cut -f1)"
