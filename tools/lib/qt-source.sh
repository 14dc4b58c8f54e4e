# Shared by tools/build-qt-windows and tools/build-qt-web: the Qt version of the Linux build
# and Debian's own qt6-base source package of exactly that version.
#
#   qt_version_of_linux_build   prints the installed qt6-base-dev's source version
#   fetch_qt_source WORK        unpacks Debian's qt6-base source into WORK, prints the folder

qt_version_of_linux_build() {
    local version
    version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev 2>/dev/null || true)
    if [[ -z "$version" ]]; then
        echo "Qt for Linux is missing: install the Debian package qt6-base-dev (tools/install-deps)." >&2
        return 1
    fi
    echo "$version"
}

# apt-get source needs a deb-src entry for the archive the machine already uses.
ensure_qt_source_entries() { # version
    if apt-get source --print-uris "qt6-base=$1" >/dev/null 2>&1; then
        return
    fi
    if [[ $(id -u) -ne 0 ]]; then
        echo "No deb-src entry for Debian's archive: as root, add one and run apt-get update." >&2
        return 1
    fi
    local list=/etc/apt/sources.list.d/kunpu-typing-sources.sources
    # The deb stanzas of the machine's own .sources files, as deb-src.
    awk 'BEGIN { RS=""; ORS="\n\n" }
         /(^|\n)Types:[^\n]*deb([ \n]|$)/ { sub(/Types:[^\n]*/, "Types: deb-src"); print }' \
        /etc/apt/sources.list.d/*.sources >"$list" 2>/dev/null || true
    if [[ -f /etc/apt/sources.list ]]; then
        sed -n 's/^deb \(.*\)/deb-src \1/p' /etc/apt/sources.list \
            >/etc/apt/sources.list.d/kunpu-typing-sources.list
    fi
    apt-get update -qq
    if ! apt-get source --print-uris "qt6-base=$1" >/dev/null 2>&1; then
        echo "Debian's source package qt6-base $1 cannot be found in the archive." >&2
        return 1
    fi
}

fetch_qt_source() { # work folder
    local version
    version=$(qt_version_of_linux_build) || return 1
    ensure_qt_source_entries "$version" || return 1
    echo "Fetching Debian's qt6-base $version source into $1" >&2
    (cd "$1" && apt-get source -qq "qt6-base=$version" >/dev/null) || return 1
    find "$1" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1
}

require_tool() { # tool, Debian package, install-deps argument
    if ! command -v "$1" >/dev/null; then
        echo "$1 is missing: install the Debian package $2 (tools/install-deps $3)." >&2
        exit 1
    fi
}

# Configures, builds and installs Qt from SOURCE in BUILD; the logs stay in LOGS. A failure
# prints the end of its log.
build_and_install_qt() { # source, build, logs, jobs, cmake arguments...
    local source=$1 build=$2 logs=$3 jobs=$4
    shift 4
    echo "Configuring Qt (log: $logs/configure.log)" >&2
    cmake -G Ninja -S "$source" -B "$build" "$@" >"$logs/configure.log" 2>&1 || {
        tail -n 40 "$logs/configure.log" >&2
        return 1
    }
    echo "Building Qt with $jobs jobs (log: $logs/build.log); this takes a while" >&2
    cmake --build "$build" --parallel "$jobs" >"$logs/build.log" 2>&1 || {
        tail -n 40 "$logs/build.log" >&2
        return 1
    }
    cmake --install "$build" >"$logs/install.log" 2>&1 || {
        tail -n 20 "$logs/install.log" >&2
        return 1
    }
}
