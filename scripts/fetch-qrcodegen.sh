#!/usr/bin/env bash
# Fetches the QR Code generator library's source (the upstream tarball of Debian's
# qr-code-generator source package), checks it against the checksum below and unpacks
# the C++ version (cpp/qrcodegen.hpp, cpp/qrcodegen.cpp) and its licence text into
# third_party/qrcodegen/, which git ignores. The builds compile it into hs_join.
#
# Safe to run again: with the checked tarball and the unpacked files in place it does
# nothing. The machine's apt configuration is left as it is: the deb-src entry and the
# source index live in a temporary folder of their own.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/.." && pwd)
dest="$top/third_party/qrcodegen"

package=qr-code-generator
tarball=qr-code-generator_1.8.0.orig.tar.gz
sha256=2ec0a4d33d6f521c942eeaf473d42d5fe139abcfa57d2beffe10c5cf7d34ae60
inner=QR-Code-generator-1.8.0
files=(cpp/qrcodegen.hpp cpp/qrcodegen.cpp Readme.markdown)

tarball_ok() { [ -f "$1" ] && echo "$sha256  $1" | sha256sum -c --status; }

# Each unpacked file is the one in the (checked) tarball.
unpacked_ok() {
    local f
    for f in "${files[@]}"; do
        tar -xzf "$dest/$tarball" -O "$inner/$f" | cmp -s - "$dest/$(basename "$f")" || return 1
    done
}

if tarball_ok "$dest/$tarball" && unpacked_ok; then
    exit 0
fi

mkdir -p "$dest"

if ! tarball_ok "$dest/$tarball"; then
    rm -f "$dest/$tarball"
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT

    # A deb-src line for the archive and suite the machine's own apt sources use.
    uri=""
    suite=""
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        uri=$(awk '/^URIs:/ {print $2; exit}' /etc/apt/sources.list.d/debian.sources)
        suite=$(awk '/^Suites:/ {print $2; exit}' /etc/apt/sources.list.d/debian.sources)
    fi
    if [ -z "$uri" ] && [ -f /etc/apt/sources.list ]; then
        read -r uri suite < <(awk '$1 == "deb" {
            i = 2; if ($i ~ /^\[/) { while ($i !~ /\]$/) i++; i++ }
            print $i, $(i + 1); exit }' /etc/apt/sources.list) || true
    fi
    if [ -z "$uri" ]; then
        uri=http://deb.debian.org/debian
    fi
    if [ -z "$suite" ]; then
        suite=$(. /etc/os-release && echo "${VERSION_CODENAME:-stable}")
    fi
    keyring=/usr/share/keyrings/debian-archive-keyring.gpg
    echo "deb-src [signed-by=$keyring] $uri $suite main" >"$work/sources.list"

    mkdir -p "$work/lists/partial" "$work/cache/archives/partial" "$work/download"
    apt_opts=(
        -o "Dir::Etc::SourceList=$work/sources.list"
        -o "Dir::Etc::SourceParts=/dev/null"
        -o "Dir::State::Lists=$work/lists"
        -o "Dir::Cache=$work/cache"
        -o "Debug::NoLocking=1"
    )
    # apt downloads as its own unprivileged user when run as root.
    if [ "$(id -u)" -eq 0 ] && id _apt >/dev/null 2>&1; then
        chmod 755 "$work"
        chown -R _apt "$work/lists" "$work/download"
    fi

    echo "fetch-qrcodegen: downloading the $package source from $uri $suite"
    apt-get "${apt_opts[@]}" update -qq >/dev/null
    # Only the upstream tarball is needed: the Debian part of the download may fail,
    # so success is judged by the tarball's checksum alone.
    (cd "$work/download" && apt-get "${apt_opts[@]}" source --download-only "$package" \
        >"$work/source.log" 2>&1) || true
    if ! tarball_ok "$work/download/$tarball"; then
        cat "$work/source.log" >&2
        echo "fetch-qrcodegen: $tarball missing or its sha256 is not $sha256" >&2
        exit 1
    fi
    cp "$work/download/$tarball" "$dest/$tarball.part"
    mv "$dest/$tarball.part" "$dest/$tarball"
fi

for f in "${files[@]}"; do
    tar -xzf "$dest/$tarball" -O "$inner/$f" >"$dest/$(basename "$f").part"
    mv "$dest/$(basename "$f").part" "$dest/$(basename "$f")"
done
echo "fetch-qrcodegen: unpacked ${files[*]} into $dest"
