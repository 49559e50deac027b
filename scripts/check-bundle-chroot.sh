#!/usr/bin/env bash
# Starts a VELMO bundle on a fresh Debian desktop root that has no Qt at all, twice in each of
# two folders (a plain one and one whose path has blanks and Chinese characters), and checks it
# shows its window, creates data/ beside itself and keeps a shortcut between the starts.
# Run as root, with an X server on $DISPLAY (Xvfb :18 & DISPLAY=:18 ...):
#
#   scripts/check-bundle-chroot.sh <bundle-dir> <work-dir>
#
# <work-dir> keeps the Debian root (made once with debootstrap, a few minutes; reused after)
# and the screenshots.
set -euo pipefail

die() {
    echo "check-bundle-chroot: $*" >&2
    exit 1
}

[ $# -eq 2 ] || die "usage: check-bundle-chroot.sh <bundle-dir> <work-dir>"
bundle=$(realpath "$1")
work=$(realpath -m "$2")
root=$work/root
script_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
display=${DISPLAY:?an X server on DISPLAY is needed}
display_number=${display#:}
x_socket=/tmp/.X11-unix/X${display_number%%.*}

[ "$(id -u)" = 0 ] || die "chroot needs root"
[ -x "$bundle/velmo" ] || die "no bundle at $bundle"
[ -S "$x_socket" ] || die "no X server socket $x_socket for DISPLAY=$display"
for tool in debootstrap sqlite3 xwininfo xprop import; do
    command -v "$tool" >/dev/null || die "$tool is missing (scripts/install-deps.sh installs it)"
done

# What a desktop has anyway: GTK 3 with its X11, Wayland, cairo and GLib stack, OpenGL through
# glvnd, fontconfig with a Chinese font, D-Bus. Nothing of Qt.
desktop_packages=(libgtk-3-0 dbus-x11 libgl1 libegl1 libopengl0 libfontconfig1 fonts-wqy-microhei)

make_desktop_root() {
    [ -f "$root/.velmo-desktop" ] && return
    rm -rf "$root"
    mkdir -p "$work"
    debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian
    mount -t proc proc "$root/proc"
    chroot "$root" apt-get install -y -q --no-install-recommends "${desktop_packages[@]}" ||
        { umount "$root/proc"; die "cannot install the desktop packages"; }
    umount "$root/proc"
    touch "$root/.velmo-desktop"
}

check_no_qt() {
    local qt_packages qt_files
    # shellcheck disable=SC2016 # dpkg-query's own field syntax
    qt_packages=$(chroot "$root" dpkg-query -W -f '${Package}\n' | grep -i qt || true)
    qt_files=$(find "$root" -xdev -name 'libQt*' -not -path "$root/stick/*" | head -5)
    [ -z "$qt_packages$qt_files" ] || die "the Debian root holds Qt: $qt_packages $qt_files"
    echo "ok: the Debian root has no Qt package and no Qt library"
}

mounted=()

mount_in_root() {
    local target=$root$1
    shift
    mkdir -p "$target"
    mount "$@" "$target"
    mounted=("$target" "${mounted[@]}")
}

unmount_all() {
    local target
    for target in "${mounted[@]}"; do umount "$target"; done
}

# The root is a mount of its own and the stick a filesystem of its own, as on a desktop, so the
# program sees its drive in the mount table.
mount_all() {
    mount_in_root / --bind "$root"
    mount_in_root /proc -t proc proc
    mount_in_root /tmp/.X11-unix --bind /tmp/.X11-unix
    mount_in_root /stick -t tmpfs -o size=512m stick
}

velmo_window() {
    xwininfo -display "$display" -root -tree | awk '/\("velmo" "VELMO"\)/ { print $1; exit }'
}

# Starts the program inside the root as a desktop session would (its own session bus), waits
# for its window, takes a screenshot and ends it.
start_once() {
    local folder=$1 shot=$2 session window="" velmo_pid
    chroot "$root" env -i HOME=/root DISPLAY="$display" LANG=C.UTF-8 XDG_RUNTIME_DIR=/run/user/0 \
        XDG_CURRENT_DESKTOP=GNOME dbus-run-session -- "$folder/velmo" >"$shot.log" 2>&1 &
    session=$!
    for _ in $(seq 50); do
        window=$(velmo_window)
        [ -n "$window" ] && break
        kill -0 "$session" 2>/dev/null || die "velmo in $folder ended at start: $(cat "$shot.log")"
        sleep 0.2
    done
    [ -n "$window" ] || { kill "$session"; die "velmo in $folder shows no window"; }
    velmo_pid=$(xprop -display "$display" -id "$window" _NET_WM_PID | awk '{ print $3 }')
    sleep 1
    import -display "$display" -window root "$shot"
    kill "$velmo_pid"
    wait "$session" || true
    echo "ok: velmo in $folder showed its window ($shot)"
}

check_folder() {
    local folder=$1 name=$2 database
    database=$root$folder/data/velmo.db
    rm -f "$root/root/.config/environment.d/60-velmo.conf"
    mkdir -p "$(dirname "$root$folder")"
    cp -a "$bundle" "$root$folder"
    cp "$script_dir/check-bundle-libraries.sh" "$root/tmp/"
    chroot "$root" bash /tmp/check-bundle-libraries.sh "$folder"

    start_once "$folder" "$work/$name-1.png"
    [ -f "$database" ] || die "no data/velmo.db beside the program in $folder"
    echo "ok: data/velmo.db created beside the program"
    sqlite3 "$database" "INSERT INTO t_scg VALUES (1, '工具', 3);
        INSERT INTO t_sc VALUES ('工具', '记事本', '%removedrive%/Apps/记事本/notepad', '--new 文件', X'');"

    start_once "$folder" "$work/$name-2.png"
    [ "$(sqlite3 "$database" "SELECT SCTEXT || '|' || Parameters FROM t_sc
        WHERE FileName = '%removedrive%/Apps/记事本/notepad'")" = "记事本|--new 文件" ] ||
        die "the shortcut did not survive the second start in $folder"
    [ "$(sqlite3 "$database" "PRAGMA integrity_check")" = ok ] || die "the catalogue is damaged"
    echo "info: the program took its drive to be: $(cat "$root/root/.config/environment.d/60-velmo.conf")"
    echo "ok: the shortcut kept across two starts, the catalogue passes its integrity check"
}

make_desktop_root
check_no_qt
trap unmount_all EXIT
mount_all
mkdir -p "$root/run/user/0"
chmod 700 "$root/run/user/0"
check_folder /stick/VELMO plain
check_folder "/stick/我的 便携 程序/VELMO" blanks-chinese
echo "all checks passed; screenshots in $work"
