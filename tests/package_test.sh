#!/usr/bin/env bash
# The Debian package: cpack builds it from the build; it is named and
# versioned for the project, depends on runtime libraries only, holds exactly
# the installed layout (launcher, private binary, every generated asset,
# desktop entry, icons, AppStream metainfo, manual page, copyright and
# changelog) under /usr, its Homepage is the project's, lintian finds no error
# or warning, and its launcher runs.
# Usage: package_test.sh BUILD_DIR CPACK VERSION HARDENED(yes|no) APPSTREAM_ID PROJECT_URL
set -euo pipefail

build=$(cd "$1" && pwd)
cpack=$2
version=$3
hardened=$4 # whether the build has the distribution's hardening
appstream_id=$5
project_url=$6
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

if ! "$cpack" --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  echo "FAIL: cpack did not make the package"
  exit 1
fi
debs=("$work"/out/*.deb)
[ ${#debs[@]} -eq 1 ] || { echo "FAIL: cpack made ${#debs[@]} packages: ${debs[*]}"; exit 1; }
deb=${debs[0]}
arch=$(dpkg --print-architecture)
[ "$(basename "$deb")" = "graze_${version}_${arch}.deb" ] || fail "package named $(basename "$deb")"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = graze ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version), not $version"
[ "$(field Section)" = games ] || fail "Section: $(field Section)"
[ "$(field Homepage)" = "$project_url" ] || fail "Homepage: $(field Homepage), not $project_url"

# Runtime libraries only: every dependency a shared library package, none a
# development package, and the three SDL 1.2 libraries among them.
depends=$(field Depends)
echo "Depends: $depends"
names=$(tr ',' '\n' <<<"$depends" | sed -e 's/^ *//' -e 's/[ (].*//')
for name in $names; do
  case $name in
  *-dev | *-dbg) fail "a development package in Depends: $name" ;;
  # zlib's runtime package is the one without the lib prefix.
  lib* | zlib1g) ;;
  *) fail "not a runtime library in Depends: $name" ;;
  esac
done
for lib in libsdl1.2debian libsdl-image1.2 libsdl-mixer1.2; do
  grep -qx "$lib" <<<"$names" || fail "Depends misses $lib"
done

# The files: exactly the layout of an installed game.
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sed 's|^\./||' | sort >"$work/files"
{
  echo usr/games/graze
  echo usr/lib/games/graze/graze
  echo usr/share/applications/graze.desktop
  echo "usr/share/metainfo/$appstream_id.metainfo.xml"
  echo usr/share/man/man6/graze.6.gz
  echo usr/share/doc/graze/changelog.gz
  echo usr/share/doc/graze/copyright
  for size in 16 24 32 48 64 128 256; do echo "usr/share/icons/hicolor/${size}x${size}/apps/graze.png"; done
  (cd "$build/assets" && find Images Sound -type f) | sed 's|^|usr/share/games/graze/|'
} | sort >"$work/expected"
if ! diff -u "$work/expected" "$work/files" >"$work/diff"; then
  cat "$work/diff"
  fail "the package's files differ from the installed layout (- expected, + packaged)"
fi
echo "files: $(wc -l <"$work/files"), package: $(du -k "$deb" | cut -f1) KB"

# Owned by root, the two programs executable.
dpkg-deb -c "$deb" | awk '$2 != "root/root" { print }' | grep . && fail "files not owned by root"
for program in ./usr/games/graze ./usr/lib/games/graze/graze; do
  dpkg-deb -c "$deb" | awk -v p="$program" '$6 == p { print $1 }' | grep -qx -- '-rwxr-xr-x' ||
    fail "$program is not executable"
done

# Unpacked anywhere, its launcher answers.
dpkg-deb -x "$deb" "$work/root"
[ "$("$work/root/usr/games/graze" --version)" = "graze $version" ] || fail "graze --version"
grep -qx 'Exec=/usr/games/graze' "$work/root/usr/share/applications/graze.desktop" ||
  fail "the desktop entry does not start /usr/games/graze"
# The packaged metainfo is the build's, valid with its tree (the full checks
# are the appstream_metainfo test's).
if command -v appstreamcli >/dev/null; then
  appstreamcli validate-tree --pedantic --no-net "$work/root/usr" >"$work/appstream" 2>&1 ||
    { cat "$work/appstream"; fail "appstreamcli finds the packaged metainfo invalid"; }
fi

# Debian's own checks: no error, no warning, and the hardening in place
# (informational notes are listed).
if command -v lintian >/dev/null; then
  lintian -I --pedantic "$deb" >"$work/lintian" 2>&1 || true
  grep -v 'running with root privileges' "$work/lintian" || true
  grep -E '^[EW]: ' "$work/lintian" && fail "lintian reports errors or warnings"
  [ "$hardened" = yes ] && grep -E 'hardening-no-(bindnow|fortify-functions|relro|pie)' "$work/lintian" &&
    fail "the game is built without the distribution's hardening"
else
  echo "lintian is not installed: the package's Debian checks are skipped"
fi

[ "$failures" -eq 0 ] && echo "debian package: $(basename "$deb") as expected"
exit $((failures > 0))
