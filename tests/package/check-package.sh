#!/usr/bin/env bash
# Builds the Debian package from a configured and built tree, unpacks it into a scratch
# folder and checks what a school gets: the program, its menu entry, its icons and the
# packages apt must bring in with it.
#   check-package.sh <cpack> <build>/CPackConfig.cmake <version>
set -euo pipefail

if [[ $# -ne 3 ]]; then
    echo "usage: $0 <cpack> <CPackConfig.cmake> <version>" >&2
    exit 2
fi
cpack=$1
config=$2
version=$3

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

if ! "$cpack" -G DEB --config "$config" -B "$scratch/out" >"$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log" >&2
    echo "FAIL: cpack could not build the package" >&2
    exit 1
fi

arch=$(dpkg --print-architecture)
deb=$scratch/out/kunpu-typing_${version}_${arch}.deb
if [[ ! -f $deb ]]; then
    echo "FAIL: cpack made no kunpu-typing_${version}_${arch}.deb; it made:" >&2
    ls -l "$scratch/out" >&2
    exit 1
fi
echo "built $(basename "$deb") ($(stat -c %s "$deb") bytes)"

root=$scratch/root
dpkg-deb -x "$deb" "$root"

# --- the program ---
program=$root/usr/bin/kunpu-typing
if [[ ! -f $program ]]; then
    fail "usr/bin/kunpu-typing is missing"
elif [[ ! -x $program ]]; then
    fail "usr/bin/kunpu-typing is not executable"
elif [[ $(head -c 4 "$program" | od -An -c | tr -d ' ') != '177ELF' ]]; then
    fail "usr/bin/kunpu-typing is not an ELF executable"
fi

# --- the menu entry ---
desktop=$root/usr/share/applications/kunpu-typing.desktop
if [[ ! -f $desktop ]]; then
    fail "usr/share/applications/kunpu-typing.desktop is missing"
else
    if ! desktop-file-validate "$desktop"; then
        fail "desktop-file-validate rejects the menu entry"
    fi
    for line in 'Type=Application' 'Name=タイピングソフト' 'Name[ja]=タイピングソフト' \
        'Exec=kunpu-typing' 'Icon=kunpu-typing' 'Terminal=false'; do
        grep -qxF -- "$line" "$desktop" || fail "the menu entry lacks the line $line"
    done
    grep -qE '^Categories=(.*;)?Education;' "$desktop" ||
        fail "the menu entry is not in the Education category"
    grep -qE '^Comment\[ja\]=.+' "$desktop" || fail "the menu entry has no Japanese comment"
fi

# --- the icons: a PNG of the right size in each folder of the hicolor theme ---
png_size() {
    # The IHDR chunk starts at byte 16: width, then height, 4 bytes each, big-endian.
    od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $1*16777216 + $2*65536 + $3*256 + $4,
                                                       $5*16777216 + $6*65536 + $7*256 + $8 }'
}
png_signature=$(printf '\211PNG\r\n\032\n' | od -An -tx1)
for size in 16 32 48 64 128; do
    icon=$root/usr/share/icons/hicolor/${size}x${size}/apps/kunpu-typing.png
    if [[ ! -f $icon ]]; then
        fail "the ${size}x${size} icon is missing"
        continue
    fi
    [[ $(head -c 8 "$icon" | od -An -tx1) == "$png_signature" ]] ||
        fail "the ${size}x${size} icon is not a PNG"
    actual=$(png_size "$icon")
    [[ $actual == "${size}x${size}" ]] || fail "the ${size}x${size} icon is $actual pixels"
done

# --- nothing else: no static libraries, test programs or build tools in the package ---
while IFS= read -r file; do
    case $file in
        usr/bin/kunpu-typing | usr/share/applications/kunpu-typing.desktop) ;;
        usr/share/icons/hicolor/*x*/apps/kunpu-typing.png) ;;
        usr/share/doc/kunpu-typing/*) ;;
        *) fail "the package holds an unexpected file: $file" ;;
    esac
done < <(cd "$root" && find . -type f -printf '%P\n' | sort)

# --- the control fields ---
field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == kunpu-typing ]] || fail "Package is '$(field Package)'"
[[ $(field Version) == "$version" ]] || fail "Version is '$(field Version)', not $version"
[[ $(field Architecture) == "$arch" ]] || fail "Architecture is '$(field Architecture)'"
[[ $(field Section) == education ]] || fail "Section is '$(field Section)'"
[[ -n $(field Maintainer) ]] || fail "the package has no Maintainer"
[[ -n $(field Description) ]] || fail "the package has no Description"

depends=$(field Depends)
echo "Depends: $depends"
# The package names alone: "libqt6core6 (>= 6.2.0), a | b" gives libqt6core6, a, b.
mapfile -t depended < <(tr ',|' '\n\n' <<<"$depends" | sed -e 's/(.*)//' -e 's/[[:space:]]//g' |
    grep -v '^$' | sort -u)
for needed in libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins fonts-ipafont-gothic \
    libc6 libstdc++6; do
    printf '%s\n' "${depended[@]}" | grep -qxF -- "$needed" || fail "Depends lacks $needed"
done
# A misspelt name would make `apt install ./<package>.deb` fail at the school: every
# dependency must be a real package, and the build machine has them all.
for name in "${depended[@]}"; do
    dpkg-query -W -f='${Status}' "$name" 2>/dev/null | grep -q 'install ok installed' ||
        fail "Depends names $name, which is not an installed Debian package here"
done

if [[ $failures -ne 0 ]]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "the package holds the program, its menu entry and its icons, and depends on what it needs"
