#!/usr/bin/env bash
# Installs a release build with cmake --install (prefix and DESTDIR), then
# builds the Debian package, installs it with dpkg, runs the installed tool
# from PATH, finds its manual page, and removes the package again.
set -euo pipefail
source_dir=$1

skip() {
    if [ "${CI:-}" = true ]; then
        echo "cannot run under CI: $1" >&2
        exit 1
    fi
    echo "skipped: $1"
    exit 77
}
fail() {
    echo "FAIL: $1" >&2
    exit 1
}

[ "$(id -u)" = 0 ] || skip "installing a package needs root"
command -v dpkg >/dev/null || skip "no dpkg on this machine"
command -v man >/dev/null || skip "no man on this machine (package man-db)"
if dpkg -s vorlane >/dev/null 2>&1; then
    skip "a vorlane package is installed already; leaving it alone"
fi

work=$(mktemp -d)
installed=no
cleanup() {
    [ "$installed" = yes ] && dpkg -r vorlane >/dev/null 2>&1
    rm -rf "$work"
}
trap cleanup EXIT

cmake -S "$source_dir" -B "$work/build" -DCMAKE_BUILD_TYPE=Release -DVORLANE_TESTS=OFF >/dev/null
cmake --build "$work/build" -j 2 >/dev/null

# cmake --install honours --prefix and DESTDIR.
DESTDIR="$work/stage" cmake --install "$work/build" --prefix /opt/vorlane >/dev/null
for file in bin/vorlane share/man/man1/vorlane.1 share/bash-completion/completions/vorlane; do
    [ -f "$work/stage/opt/vorlane/$file" ] || fail "cmake --install did not place $file"
done

# The Debian package.
(cd "$work/build" && cpack -G DEB >/dev/null)
version=$(sed -n 's/^project(vorlane VERSION \([0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")
deb="$work/build/vorlane_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no package named $(basename "$deb"): $(ls "$work/build"/*.deb 2>&1)"
depends=$(dpkg-deb -f "$deb" Depends)
for dependency in $(sed 's/([^)]*)//g; s/[,|]/ /g' <<<"$depends"); do
    case $dependency in
        libc6 | libstdc++6 | libgcc-s1) ;;
        *) fail "unexpected dependency $dependency in: $depends" ;;
    esac
done

dpkg -i "$deb" >/dev/null
installed=yes
[ "$(command -v vorlane)" = /usr/bin/vorlane ] || fail "vorlane is not on PATH"
mkdir "$work/fixture"
echo data >"$work/fixture/ReadMe.TXT"
out=$(cd "$work/fixture" && vorlane -l ReadMe.TXT)
grep -q "^ReadMe.TXT	 renamed to readme.txt$" <<<"$out" || fail "unexpected output: $out"
[ "$(cat "$work/fixture/readme.txt")" = data ] || fail "the file was not renamed"
[ "$(man -w vorlane)" = /usr/share/man/man1/vorlane.1 ] || fail "man -w vorlane: $(man -w vorlane 2>&1)"
[ -f /usr/share/bash-completion/completions/vorlane ] || fail "no bash completion installed"

dpkg -r vorlane >/dev/null
installed=no
! command -v vorlane >/dev/null || fail "vorlane is still on PATH after removal"
echo "installed, ran and removed $(basename "$deb") (Depends: $depends)"
