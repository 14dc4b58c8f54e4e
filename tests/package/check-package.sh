#!/usr/bin/env bash
# Builds the Debian package from a configured and built tree, unpacks it into a scratch
# folder and checks what a school gets: the program, its menu entry, its icons, its
# AppStream record, its manual page, copyright file and changelog, and the packages apt must
# bring in with it. Debian's checker lintian must report no error and no warning on it.
#   check-package.sh <cpack> <build>/CPackConfig.cmake <version>
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/../.." && pwd)

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

# --- compressed as lintian wants: gzip -9n stores neither a file name nor a time stamp ---
# Bytes 0-7 of a gzip file: magic 1f 8b, method 08 (deflate), flags (08 = a name follows),
# then the modification time, four bytes.
is_gzip_without_name_or_time() {
    [[ $(od -An -tx1 -N8 "$1" | tr -d ' \n') == 1f8b080000000000 ]]
}

# Unpacks the document <path in the package> into $scratch/<name>; a document missing or
# compressed otherwise is a failure, and nothing is unpacked.
unpack_document() {
    local packaged=$root/$1
    if [[ ! -f $packaged ]]; then
        fail "$1 is missing"
        return 1
    fi
    if ! is_gzip_without_name_or_time "$packaged"; then
        fail "$(basename "$1") is not compressed with gzip -9n"
        return 1
    fi
    gzip -dc "$packaged" >"$scratch/$2"
}

# --- the copyright file: machine-readable (DEP-5), the MIT (Expat) terms of LICENSE ---
copyright=$root/usr/share/doc/kunpu-typing/copyright
if [[ ! -f $copyright ]]; then
    fail "usr/share/doc/kunpu-typing/copyright is missing"
else
    [[ $(head -n 1 "$copyright") == \
        'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ]] ||
        fail "the copyright file does not start with the DEP-5 Format line"
    grep -qxF 'Files: *' "$copyright" || fail "the copyright file has no 'Files: *' paragraph"
    grep -qxF 'Copyright: 2026 The kunpu-typing developers' "$copyright" ||
        fail "the copyright file does not name The kunpu-typing developers"
    grep -qxF 'License: Expat' "$copyright" || fail "the copyright file does not give Expat (MIT)"
    # The licence paragraph is LICENSE from its first "Permission" line on, each line
    # indented by one space and blank lines written as " .".
    sed -n '/^Permission is hereby granted/,$p' "$source_dir/LICENSE" >"$scratch/licence.want"
    sed -n '/^ Permission is hereby granted/,/^[^ ]/p' "$copyright" | grep '^ ' |
        sed -e 's/^ \.$//' -e 's/^ //' >"$scratch/licence.got"
    if [[ ! -s $scratch/licence.want ]]; then
        fail "LICENSE holds no MIT permission text"
    elif ! diff -u "$scratch/licence.want" "$scratch/licence.got" >&2; then
        fail "the licence text of the copyright file differs from LICENSE"
    fi
fi

# --- the changelog: Debian's format, its newest entry for this very version ---
if unpack_document usr/share/doc/kunpu-typing/changelog.gz changelog; then
    if ! dpkg-parsechangelog -l "$scratch/changelog" >"$scratch/changelog.fields" 2>&1; then
        cat "$scratch/changelog.fields" >&2
        fail "dpkg-parsechangelog cannot read the changelog"
    else
        entry() { sed -n "s/^$1: //p" "$scratch/changelog.fields"; }
        [[ $(entry Source) == kunpu-typing ]] ||
            fail "the changelog is for '$(entry Source)', not kunpu-typing"
        [[ $(entry Version) == "$version" ]] ||
            fail "the newest changelog entry is for '$(entry Version)', not $version"
    fi
fi

# --- the manual page: section 1, compressed, with a NAME line for whatis ---
if unpack_document usr/share/man/man1/kunpu-typing.1.gz kunpu-typing.1; then
    grep -qE '^\.TH KUNPU-TYPING 1 ' "$scratch/kunpu-typing.1" ||
        fail "the manual page has no .TH line for KUNPU-TYPING in section 1"
    grep -qxF 'kunpu-typing \- touch-typing trainer for Japanese kana typed as romaji' \
        "$scratch/kunpu-typing.1" || fail "the manual page has no NAME line for kunpu-typing"
    grep -qF "\"kunpu-typing $version\"" "$scratch/kunpu-typing.1" ||
        fail "the manual page does not carry the version $version"
    grep -q '@' "$scratch/kunpu-typing.1" && fail "the manual page holds an unfilled @ variable"
fi

# --- the AppStream record: valid, tied to the menu entry, MIT, this version ---
appstream_id=example.kunpu_high.kunpu_typing
metainfo=$root/usr/share/metainfo/$appstream_id.metainfo.xml
if [[ ! -f $metainfo ]]; then
    fail "usr/share/metainfo/$appstream_id.metainfo.xml is missing"
else
    if ! appstreamcli validate --no-net --explain "$metainfo" >"$scratch/appstream.log" 2>&1; then
        cat "$scratch/appstream.log" >&2
        fail "appstreamcli rejects the AppStream record"
    fi
    tag() { grep -oP "<$1>\\K[^<]+(?=</${1%% *}>)" "$metainfo" | head -n 1; }
    [[ $(tag id) == "$appstream_id" ]] || fail "the AppStream id is '$(tag id)'"
    [[ $(tag 'launchable type="desktop-id"') == kunpu-typing.desktop ]] ||
        fail "the AppStream record does not launch kunpu-typing.desktop"
    [[ $(tag project_license) == MIT ]] ||
        fail "the AppStream project licence is '$(tag project_license)', not MIT"
    [[ -n $(tag metadata_license) ]] || fail "the AppStream record has no metadata licence"
    grep -q '<content_rating type="oars-1\.[01]"' "$metainfo" ||
        fail "the AppStream record has no OARS content rating"
    grep -q '<screenshot type="default">' "$metainfo" ||
        fail "the AppStream record has no default screenshot"
    newest=$(grep -oP '<release version="\K[^"]+' "$metainfo" | head -n 1)
    [[ $newest == "$version" ]] ||
        fail "the newest AppStream release is '$newest', not $version"
fi

# --- Debian's checker: no error and no warning (notes at the info level are allowed) ---
# As root lintian says it would rather not run so; that remark is not a finding.
lintian_rc=0
lintian --fail-on error,warning "$deb" >"$scratch/lintian.log" 2>&1 || lintian_rc=$?
grep -v '^running with root privileges' "$scratch/lintian.log" >&2 || true
if [[ $lintian_rc -ne 0 ]] || grep -qE '^[EW]: ' "$scratch/lintian.log"; then
    fail "lintian reports errors or warnings (exit status $lintian_rc)"
fi

# --- nothing else: no static libraries, test programs or build tools in the package ---
while IFS= read -r file; do
    case $file in
        usr/bin/kunpu-typing | usr/share/applications/kunpu-typing.desktop) ;;
        usr/share/icons/hicolor/*x*/apps/kunpu-typing.png) ;;
        usr/share/metainfo/example.kunpu_high.kunpu_typing.metainfo.xml) ;;
        usr/share/man/man1/kunpu-typing.1.gz) ;;
        usr/share/doc/kunpu-typing/copyright | usr/share/doc/kunpu-typing/changelog.gz) ;;
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
    qt6-translations-l10n libc6 libstdc++6; do
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
echo "the package holds the program, its menu entry, icons, AppStream record, manual page," \
    "copyright file and changelog, depends on what it needs and satisfies lintian"
