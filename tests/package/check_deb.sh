#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package from the build folder into a temporary folder, lints it and
# unpacks it, and checks what it holds: lintian finds no error and no warning, the control
# fields and dependencies, the files a user and Debian need and nothing of the build tree,
# that the unpacked tavo-convert converts, and that the icons, desktop entry and metainfo
# are the ones a desktop can use.
# Usage: check_deb.sh BUILD_DIR VERSION ICON_CHECK EMBLEM
set -euo pipefail
build=$1 version=$2 icon_check=$3 emblem=$4

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
fail() { echo "FAIL: $*" >&2; status=1; }

if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    echo "FAIL: cpack could not build the package" >&2
    exit 1
fi
deb=$work/out/tavometr_${version}_$(dpkg --print-architecture).deb
[[ -f "$deb" ]] || { ls "$work/out"; echo "FAIL: no $(basename "$deb")" >&2; exit 1; }

# Control fields.
field() { dpkg-deb -f "$deb" "$1"; }
[[ "$(field Package)" == tavometr ]] || fail "Package is '$(field Package)'"
[[ "$(field Version)" == "$version" ]] || fail "Version is '$(field Version)', not $version"
[[ "$(field Section)" == utils ]] || fail "Section is '$(field Section)'"
[[ -n "$(field Maintainer)" ]] || fail "no Maintainer"
[[ -n "$(field Description)" ]] || fail "no Description"

# The names in Depends, without versions or alternatives.
depends=$(field Depends | tr ',|' '\n\n' | sed 's/([^)]*)//; s/^ *//; s/ *$//; s/:any$//' | sort -u)
for package in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins \
               qt6-wayland qt6-translations-l10n fonts-ipafont-mincho fonts-ipafont-gothic \
               fonts-liberation; do
    grep -qxF "$package" <<<"$depends" || fail "Depends lacks $package: $(field Depends)"
done

# Lintian: errors and warnings fail; the informational tags it still finds are shown.
report=$(lintian --info --display-info --fail-on error,warning "$deb" 2>&1) ||
    fail "lintian:
$report"
[[ -n "$report" ]] && echo "lintian, informational only:
$report"

# The files a desktop, man and Debian look for, and nothing from the build tree: every path
# under /usr, in the folders a package of programs uses, and no program but the two.
listing=$(dpkg-deb -c "$deb")
files=$(awk '$1 !~ /^d/ { print $6 }' <<<"$listing" | sort)
sizes="32 48 64 128 256"
for file in ./usr/bin/tavometr ./usr/bin/tavo-convert \
            ./usr/share/applications/jp.tavometr.Tavometr.desktop \
            ./usr/share/metainfo/jp.tavometr.Tavometr.metainfo.xml \
            ./usr/share/doc/tavometr/copyright ./usr/share/doc/tavometr/changelog.Debian.gz \
            ./usr/share/bash-completion/completions/tavo-convert \
            $(for size in $sizes; do echo "./usr/share/icons/hicolor/${size}x${size}/apps/jp.tavometr.Tavometr.png"; done) \
            $(for page in tavometr tavo-convert; do echo "./usr/share/man/man1/$page.1.gz ./usr/share/man/ja/man1/$page.1.gz"; done); do
    grep -qxF "$file" <<<"$files" || fail "the package lacks $file"
done
stray=$(grep -vE '^\./usr/(bin|share/(applications|metainfo|icons/hicolor|man|doc/tavometr|bash-completion/completions))/' <<<"$files" || true)
[[ -z "$stray" ]] || fail "files outside the program's folders: $stray"
programs=$(grep '^\./usr/bin/' <<<"$files" || true)
[[ "$programs" == $'./usr/bin/tavo-convert\n./usr/bin/tavometr' ]] ||
    fail "usr/bin holds more than the two programs: $programs"
owners=$(awk '{ print $2 }' <<<"$listing" | sort -u)
[[ "$owners" == root/root ]] || fail "files not owned by root/root: $owners"

root=$work/root
dpkg -x "$deb" "$root"

# The programs: tavometr can start (every library it links is found), tavo-convert converts.
[[ -x "$root/usr/bin/tavometr" ]] || fail "usr/bin/tavometr is not executable"
for program in tavometr tavo-convert; do
    missing=$(ldd "$root/usr/bin/$program" | grep 'not found' || true)
    [[ -z "$missing" ]] || fail "$program: $missing"
    # Every linked library comes from a package the package depends on.
    for library in $(objdump -p "$root/usr/bin/$program" | awk '$1 == "NEEDED" { print $2 }'); do
        path=$(ldd "$root/usr/bin/$program" | awk -v lib="$library" '$1 == lib { print $3 }')
        [[ -n "$path" ]] || path=$(ldd "$root/usr/bin/$program" | awk -v lib="$library" 'index($1, lib) { print $1 }')
        real=$(readlink -f "$path")
        owner=""
        for candidate in "$path" "$real" "${path#/usr}" "${real#/usr}" "/usr$path" "/usr$real"; do
            owner=$(dpkg -S "$candidate" 2>/dev/null | head -n 1 | cut -d: -f1) && [[ -n "$owner" ]] && break
        done
        if [[ -z "$owner" ]]; then
            fail "$program links $library ($path), which no installed package holds"
        elif ! grep -qxF "$owner" <<<"$depends"; then
            fail "$program links $library from $owner, which Depends does not name"
        fi
    done
done

expected_length=$(printf '%s\n' \
    $'0\tメートル\t 1' \
    $'1\tヤード\t 1.094' \
    $'2\tフィート\t 3.281' \
    $'3\tインチ\t 39.37' \
    $'4\tマイル\t 0.0006214' \
    $'5\t尺\t 3.3' \
    $'6\t海里\t 0.00054' \
    $'7\t光年\t1.058e-16' \
    $'8\tオングストローム\t1.e+10')
if ! length=$("$root/usr/bin/tavo-convert" Length); then
    fail "usr/bin/tavo-convert Length failed"
elif [[ "$length" != "$expected_length" ]]; then
    fail "usr/bin/tavo-convert Length printed:
$length
instead of:
$expected_length"
fi

# The desktop files, as installed.
share=$root/usr/share
icons=()
for size in $sizes; do icons+=("$share/icons/hicolor/${size}x${size}/apps/jp.tavometr.Tavometr.png" "$size"); done
"$icon_check" "$emblem" "${icons[@]}" || fail "icons"
desktop-file-validate "$share/applications/jp.tavometr.Tavometr.desktop" || fail "desktop entry"
# The tree as installed: the metainfo, and the desktop entry its launchable names.
report=$(appstreamcli validate-tree --no-net --strict "$root" 2>&1) ||
    fail "appstreamcli validate-tree on the unpacked package:
$report"
for page in tavometr tavo-convert; do
    for section in man1 ja/man1; do
        gzip -cd "$share/man/$section/$page.1.gz" | grep -q "^\.TH ${page^^} 1 " ||
            fail "$section/$page.1.gz is not its manual page"
    done
done

[[ $status -eq 0 ]] && echo "$(basename "$deb"): $(wc -c <"$deb") bytes, Depends: $(field Depends)"
exit $status
