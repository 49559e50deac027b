#!/usr/bin/env bash
# shellcheck disable=SC2016 # $ORIGIN is for the dynamic loader, not for the shell
# Makes a self-contained VELMO folder that runs from wherever it is copied (a stick's root
# included): the program, the Qt plugins it loads, and those libraries of theirs that a desktop
# Linux machine cannot be counted on to have. Everything is found relative to the program.
#
#   scripts/make-bundle.sh <build-dir> <out-dir>
#
# <out-dir> must be new, empty, or a bundle made before; a bundle's data/ folder (its
# catalogue) and anything else the user put there are kept.
set -euo pipefail

die() {
    echo "make-bundle: $*" >&2
    exit 1
}

[ $# -eq 2 ] || die "usage: make-bundle.sh <build-dir> <out-dir>"
build_dir=$1
out_dir=$2
program=$build_dir/velmo
script_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

[ -x "$program" ] || die "no program at $program: build the velmo target first"
for tool in ldd patchelf strip qtpaths6; do
    command -v "$tool" >/dev/null || die "$tool is missing (scripts/install-deps.sh installs it)"
done
qt_plugins=$(qtpaths6 --query QT_INSTALL_PLUGINS)

# Qt and what only Qt brings along: ICU (its versioned names differ between distributions),
# double-conversion, PCRE2 for UTF-16, md4c, BLAKE2 with the OpenMP runtime it uses, and the
# X libraries that Qt's xcb platform needs and the GTK desktop stack does not bring (xcb-util
# helpers, xkbcommon-x11, xcb-shape, session management). SQLite goes too: the catalogue
# travels with the drive, so one engine reads and writes it on every machine. glibc, libstdc++,
# libX11/libxcb, GL, fontconfig, freetype, harfbuzz, GLib, GTK and D-Bus come with every
# desktop and are left out.
bundled_libraries=(
    'libQt6*' 'libicu*' 'libdouble-conversion.so*' 'libpcre2-16.so*' 'libmd4c.so*'
    'libb2.so*' 'libgomp.so*' 'libxcb-icccm.so*' 'libxcb-image.so*' 'libxcb-keysyms.so*'
    'libxcb-render-util.so*' 'libxcb-util.so*' 'libxcb-xkb.so*' 'libxcb-cursor.so*'
    'libxcb-shape.so*' 'libxkbcommon-x11.so*' 'libSM.so*' 'libICE.so*' 'libsqlite3.so*'
)

# The plugins each Qt module loads, as <folder>/<file>: Gui's windowing (X11, and offscreen for
# checks without a display), input methods (ibus, compose: Chinese is typed through them), the
# GTK theme (native dialogs on GNOME) and the SVG and ICO pictures. No OpenGL integration:
# nothing in VELMO draws with OpenGL, and Qt loads it only for that.
plugins_of_module() {
    case $1 in
    libQt6Gui.so*)
        echo platforms/libqxcb.so platforms/libqoffscreen.so \
            platforminputcontexts/libibusplatforminputcontextplugin.so \
            platforminputcontexts/libcomposeplatforminputcontextplugin.so \
            platformthemes/libqgtk3.so \
            imageformats/libqsvg.so imageformats/libqico.so iconengines/libqsvgicon.so
        ;;
    libQt6PrintSupport.so*) echo printsupport/libcupsprintersupport.so ;;
    libQt6Network.so*) echo tls/libqopensslbackend.so ;;
    esac
}

is_bundled_library() {
    local pattern
    for pattern in "${bundled_libraries[@]}"; do
        # shellcheck disable=SC2053 # the patterns are globs on purpose
        [[ $1 == $pattern ]] && return 0
    done
    return 1
}

# Prints "<soname> <path>" for every library a binary needs, however indirectly.
needed_libraries() {
    local listing
    listing=$(ldd "$1") || die "ldd cannot read $1"
    if grep -q 'not found' <<<"$listing"; then
        die "$1 needs libraries this machine lacks:"$'\n'"$(grep 'not found' <<<"$listing")"
    fi
    sed -n 's/^[[:space:]]*\([^ ]*\) => \(\/.*\) (0x[0-9a-f]*)$/\1 \2/p' <<<"$listing"
}

prepare_out_dir() {
    if [ -e "$out_dir" ] && [ -n "$(ls -A "$out_dir")" ]; then
        if [ ! -f "$out_dir/qt.conf" ] || [ ! -f "$out_dir/velmo" ]; then
            die "$out_dir holds files and is no VELMO bundle: choose a new or empty folder"
        fi
        rm -rf "${out_dir:?}/velmo" "${out_dir:?}/qt.conf" "${out_dir:?}/help.html" "${out_dir:?}/lib" "${out_dir:?}/plugins"
    fi
    mkdir -p "$out_dir/lib" "$out_dir/plugins"
}

# Copies a binary, strips it and points its search path at the bundle's lib/ folder.
install_binary() {
    local source=$1 target=$2 runpath=$3
    cp -L "$source" "$target"
    chmod u+w "$target"
    strip --strip-unneeded "$target"
    patchelf --set-rpath "$runpath" "$target"
}

prepare_out_dir
install_binary "$program" "$out_dir/velmo" '$ORIGIN/lib'
cp "$script_dir/qt.conf" "$out_dir/qt.conf"
cp "$build_dir/help.html" "$out_dir/help.html" # the page the about box opens

program_libraries=$(needed_libraries "$program")
binaries=("$program")
while read -r soname _; do
    for plugin in $(plugins_of_module "$soname"); do
        [ -f "$qt_plugins/$plugin" ] || die "the Qt plugin $qt_plugins/$plugin is missing"
        mkdir -p "$out_dir/plugins/$(dirname "$plugin")"
        install_binary "$qt_plugins/$plugin" "$out_dir/plugins/$plugin" '$ORIGIN/../../lib'
        binaries+=("$qt_plugins/$plugin")
    done
done <<<"$program_libraries"

all_libraries=$(for binary in "${binaries[@]}"; do needed_libraries "$binary"; done | sort -u)
while read -r soname path; do
    if is_bundled_library "$soname" && [ ! -e "$out_dir/lib/$soname" ]; then
        install_binary "$path" "$out_dir/lib/$soname" '$ORIGIN'
    fi
done <<<"$all_libraries"

echo "VELMO bundle in $out_dir: $(du -sh "$out_dir" | cut -f1)"
