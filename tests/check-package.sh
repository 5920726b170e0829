#!/bin/sh
# Builds the Debian package from a build folder and checks it as dpkg, apt and man would
# read it. The package is left in BUILD_DIR/package-check for lintian (check-lintian.sh).
#   tests/check-package.sh BUILD_DIR
# WPD_SEND_EXPECTED=1|0 says whether wireprobe-send must be in the package; unset, the
# package itself decides. WPD_CPACK names the cpack to use (default: cpack on the PATH).
set -eu
[ $# -eq 1 ] || { echo "usage: $0 BUILD_DIR" >&2; exit 2; }
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
id=io.github.wireprobedesk

fail() {
    echo "package: $*" >&2
    exit 1
}

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || fail "no project version in $build/CMakeCache.txt"
arch=$(dpkg --print-architecture)

out=$build/package-check
rm -rf "$out"
(cd "$build" && "${WPD_CPACK:-cpack}" -G DEB -B "$out" >"$work/cpack.log" 2>&1) \
    || { cat "$work/cpack.log" >&2; fail "cpack failed"; }
rm -rf "$out/_CPack_Packages"
deb=$out/wireprobedesk_${version}_$arch.deb
[ -f "$deb" ] || fail "no $(basename "$deb"); cpack made: $(ls "$out")"

# Contents: every path under /usr, and everything a desktop and man look for.
dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\./||; s|/$||' | grep . >"$work/contents"
stray=$(grep -v '^usr\(/\|$\)' "$work/contents" || true)
[ -z "$stray" ] || fail "installed outside /usr: $stray"

case ${WPD_SEND_EXPECTED:-} in
1) send=yes ;;
0) send=no ;;
*) if grep -qx usr/bin/wireprobe-send "$work/contents"; then send=yes; else send=no; fi ;;
esac
expected="usr/bin/wireprobedesk usr/share/man/man1/wireprobedesk.1.gz
    usr/share/doc/wireprobedesk/copyright usr/share/doc/wireprobedesk/changelog.gz
    usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml
    usr/share/icons/hicolor/scalable/apps/$id.svg"
for s in 16 32 48 64 128 256; do
    expected="$expected usr/share/icons/hicolor/${s}x$s/apps/$id.png"
done
[ $send = yes ] && expected="$expected usr/bin/wireprobe-send usr/share/man/man1/wireprobe-send.1.gz"
for f in $expected; do
    grep -qx "$f" "$work/contents" || fail "missing /$f"
done
if [ $send = no ] && grep -qx usr/bin/wireprobe-send "$work/contents"; then
    fail "wireprobe-send is in the package but was not expected"
fi

# Control fields.
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = wireprobedesk ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', the project says $version"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture is '$(field Architecture)', dpkg says $arch"
[ "$(field Section)" = net ] || fail "Section is '$(field Section)'"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ -n "$(field Description)" ] || fail "no Description"
# Depends as bare package names, one a line.
field Depends | tr ',|' '\n\n' | sed 's/^ *//; s/[ (].*//' >"$work/depends"
grep -q '^libqt6' "$work/depends" || fail "Depends has no Qt 6 library: $(field Depends)"
for p in qt6-translations-l10n fonts-noto-cjk libqt6sql6-sqlite; do
    grep -qx "$p" "$work/depends" || fail "Depends lacks $p: $(field Depends)"
done

dpkg-deb -x "$deb" "$work/x"
doc=$work/x/usr/share/doc/wireprobedesk

# The changelog's newest entry and the metainfo's newest release are this version.
gzip -dc "$doc/changelog.gz" >"$work/changelog"
logged=$(dpkg-parsechangelog -l "$work/changelog" -S Version) || fail "changelog does not parse"
[ "$logged" = "$version" ] || fail "the changelog's newest entry is $logged, the package is $version"
released=$(sed -n 's/.*<release [^>]*version="\([^"]*\)".*/\1/p' \
    "$work/x/usr/share/metainfo/$id.metainfo.xml" | head -n 1)
[ "$released" = "$version" ] || fail "the metainfo's newest release is '$released', the package is $version"

# Machine-readable copyright: the format named, and every licence a Files paragraph
# names has its own License paragraph with the text.
head -n 1 "$doc/copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
    || fail "copyright does not start with the DEP-5 Format line"
awk '
    /^Files:/ { files = 1 }
    /^$/ { files = 0 }
    /^License:/ {
        name = $2
        if (files) used[name] = 1
        else if (getline line > 0 && line ~ /^ /) texts[name] = 1
    }
    END { for (n in used) if (!(n in texts)) { print n; bad = 1 }; exit bad }
' "$doc/copyright" >"$work/untexted" || fail "copyright has no License paragraph for: $(cat "$work/untexted")"

# Manual pages: render without a warning and say what they are about.
for page in "$work"/x/usr/share/man/man1/*.1.gz; do
    name=$(basename "$page" .1.gz)
    if command -v man >/dev/null; then
        warnings=$(man --warnings -l "$page" 2>&1 >"$work/page.txt")
    else
        warnings=$(gzip -dc "$page" | groff -ww -man -Tutf8 2>&1 >"$work/page.txt")
    fi
    [ -z "$warnings" ] || fail "$name(1) renders with warnings: $warnings"
    grep -q "^ *$name - " "$work/page.txt" || fail "$name(1) has no NAME line for $name"
done

if [ $send = yes ]; then
    out=$("$work/x/usr/bin/wireprobe-send" --version) || fail "wireprobe-send --version failed"
    case $out in
    *"$version"*) ;;
    *) fail "wireprobe-send --version says '$out', not $version" ;;
    esac
else
    echo "wireprobe-send is not in this build; its run from the package is skipped"
fi
echo "$(basename "$deb") valid"
