#!/usr/bin/env bash
# Checks Quorvane as a user gets it: installed with cmake --install, or as the .deb from cpack.
# Usage: check_install.sh files|relocated|deb BUILD_DIR CMAKE CPACK [release|debug]
#   files      install into a temporary DESTDIR; the file list, the menu entry, the metainfo
#              and the man pages
#   relocated  a copy of the installed tree elsewhere, away from the checkout, writes the same
#              buttons as the build tree's tool
#   deb        the package's contents and control fields
set -euo pipefail

mode=$1
build=$2
cmake=$3
cpack=$4
config=${5:-release}
here=$(cd "$(dirname "$0")" && pwd)
source=$(cd "$here/../.." && pwd)
expected=$here/installed_files.txt
app=io.github.quorvane.Quorvane

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Installs under /usr into DESTDIR $1 and prints the installed tree's root.
install_tree() {
    DESTDIR=$1 "$cmake" --install "$build" --prefix /usr >/dev/null
    echo "$1/usr"
}

# The files (and links) under $1, relative to it, sorted.
file_list() {
    (cd "$1" && find . -type f -o -type l) | sed 's#^\./##' | LC_ALL=C sort
}

check_files() {
    local root
    root=$(install_tree "$work/dest")
    diff -u <(LC_ALL=C sort "$expected") <(file_list "$root") ||
        fail "the installed files differ from tests/install/installed_files.txt"
    for program in quorvane quorvane-batch; do
        [ -x "$root/bin/$program" ] || fail "bin/$program is not executable"
    done
    desktop-file-validate "$root/share/applications/$app.desktop" ||
        fail "desktop-file-validate"
    appstreamcli validate --no-net "$root/share/metainfo/$app.metainfo.xml" ||
        fail "appstreamcli validate"
    # Every option the tool knows is in its man page (help2man writes "-" as "\-").
    local page options
    page=$(gzip -dc "$root/share/man/man1/quorvane-batch.1.gz" | sed 's/\\-/-/g')
    options=$("$root/bin/quorvane-batch" --help | grep -o -- '--[a-z0-9-]*[a-z0-9]' | sort -u)
    [ -n "$options" ] || fail "quorvane-batch --help lists no option"
    for option in $options; do
        grep -q -- "$option" <<<"$page" || fail "quorvane-batch(1) does not mention $option"
    done
    gzip -dc "$root/share/man/man1/quorvane.1.gz" | grep -q '^\.SH FILES' ||
        fail "quorvane(1) has no FILES section"
    check_man_page "$root"
    # The style type as a desktop's MIME database takes it in, and the menu entry opening it.
    local mime=$root/share/mime/packages/$app.xml
    xmllint --noout "$mime" || fail "the MIME type is not well-formed XML"
    mkdir -p "$work/mime/packages"
    cp "$mime" "$work/mime/packages/"
    update-mime-database "$work/mime" || fail "update-mime-database"
    grep -qxF 'application/x-quorvane-style:*.qvstyle' <(cut -d: -f2- "$work/mime/globs2") ||
        fail "the MIME database has no *.qvstyle"
    grep -q '^MimeType=.*application/x-quorvane-style;' "$root/share/applications/$app.desktop" ||
        fail "the menu entry does not open style files"
    grep -q '<project_license>MIT</project_license>' "$root/share/metainfo/$app.metainfo.xml" ||
        fail "the metainfo does not give the MIT licence"
    # The window answers --help and --version without a display (the X11 platform would fail
    # to start without one).
    local shown
    shown=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$root/bin/quorvane" --help) ||
        fail "quorvane --help"
    grep -q '^Usage: quorvane \[FILE\.\.\.\]$' <<<"$shown" || fail "quorvane --help: $shown"
    [ "$(env -u DISPLAY QT_QPA_PLATFORM=xcb "$root/bin/quorvane" --version)" = "quorvane 1.0" ] ||
        fail "quorvane --version"
}

# quorvane-batch(1) as man shows it: both forms in the synopsis, and each example a block that
# runs as printed once pasted into a shell (with the installed tree in place of /usr and a
# temporary folder in place of /tmp).
check_man_page() {
    local root=$1 shown
    shown=$(MANWIDTH=80 man -l "$root/share/man/man1/quorvane-batch.1.gz" 2>/dev/null | col -bx)
    local synopsis
    synopsis=$(sed -n '/^SYNOPSIS$/,/^DESCRIPTION$/p' <<<"$shown" | sed 's/^ *//')
    grep -qxF 'quorvane-batch --labels FILE|- --out DIR [options]' <<<"$synopsis" &&
        grep -qxF 'quorvane-batch --save-style FILE [options]' <<<"$synopsis" ||
        fail "the synopsis lacks a form: $synopsis"
    local examples
    examples=$(sed -n '/^EXAMPLES$/,/^SEE ALSO$/p' <<<"$shown" |
        grep -E '^ +(mkdir|quorvane-batch) |^ +--' | sed 's/^ *//')
    [ "$(grep -c '^quorvane-batch ' <<<"$examples")" -eq 2 ] ||
        fail "quorvane-batch(1) does not show two whole examples: $examples"
    examples=${examples//\/tmp\//$work/tmp/}
    examples=${examples//\/usr\//$root/}
    mkdir -p "$work/run"
    (cd "$work/run" && PATH=$root/bin:$PATH bash -euo pipefail -c "$examples" >/dev/null) ||
        fail "the examples of quorvane-batch(1) fail as printed: $examples"
    [ -f "$work/tmp/menu/Home.bmp" ] && [ -f "$work/run/site/img/btn-home-pressed.png" ] &&
        [ -f "$work/run/site/menu.html" ] || fail "the examples did not write their buttons"
}

check_relocated() {
    local root moved
    root=$(install_tree "$work/dest")
    moved=$work/elsewhere/quorvane
    mkdir -p "$(dirname "$moved")"
    cp -a "$root" "$moved"
    rm -rf "$work/dest"
    mkdir "$work/built" "$work/moved"
    local style=(--font "DejaVu Sans" --bold --shadow --3d --quiet)
    "$build/bin/quorvane-batch" --labels "$source/samples/menu.txt" \
        --background "$source/buttons/steel.bmp" --out "$work/built" "${style[@]}" >/dev/null
    # Only the moved tree in sight: its own samples, a bare environment, another working folder.
    (cd "$work/elsewhere" &&
        env -i PATH=/usr/bin:/bin HOME="$work" quorvane/bin/quorvane-batch \
            --labels quorvane/share/quorvane/samples/menu.txt \
            --background quorvane/share/quorvane/buttons/steel.bmp \
            --out "$work/moved" "${style[@]}" >/dev/null) || fail "the moved quorvane-batch failed"
    [ -n "$(ls "$work/built")" ] || fail "the build tree's tool wrote nothing"
    diff -r "$work/built" "$work/moved" || fail "the moved tree wrote other buttons"
    # No path to the checkout or the build tree in the programs (debug builds name their sources
    # in assertions, so only optimised builds are held to it).
    if [ "$config" = release ]; then
        for program in quorvane quorvane-batch; do
            strip -o "$work/$program.stripped" "$moved/bin/$program"
            ! grep -q -F -e "$source" -e "$build" "$work/$program.stripped" ||
                fail "bin/$program names the checkout or the build tree"
        done
    fi
}

check_deb() {
    "$cpack" -G DEB -B "$work/package" --config "$build/CPackConfig.cmake" >/dev/null ||
        fail "cpack -G DEB"
    local debs=("$work"/package/*.deb)
    [ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single .deb"
    local deb=${debs[0]}
    diff -u <(sed 's#^#usr/#' "$expected" | LC_ALL=C sort) \
        <(dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sed 's#^\./##' | LC_ALL=C sort) ||
        fail "the package's files differ from tests/install/installed_files.txt"
    local depends names
    depends=$(dpkg-deb -f "$deb" Depends)
    names=$(tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/ .*//')
    for needed in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 fonts-dejavu-core; do
        grep -qxF "$needed" <<<"$names" || fail "Depends lacks $needed: $depends"
    done
    [ "$(dpkg-deb -f "$deb" Package)" = quorvane ] || fail "package name"
    [ "$(dpkg-deb -f "$deb" Section)" = graphics ] || fail "section"
    dpkg-deb -f "$deb" Maintainer | grep -q '<.*@.*>' || fail "maintainer"
    [ "$(dpkg-deb -f "$deb" Description | wc -l)" -gt 2 ] || fail "no long description"
    dpkg-deb -x "$deb" "$work/unpacked"
    file "$work/unpacked/usr/bin/quorvane-batch" | grep -q ', stripped' ||
        fail "the package's programs are not stripped"
    grep -qx 'License: MIT' "$work/unpacked/usr/share/doc/quorvane/copyright" ||
        fail "the package's copyright file does not give the MIT licence"
    # Errors fail; warnings are listed for whoever reads the log.
    lintian --fail-on error --tag-display-limit 0 "$deb" || fail "lintian finds errors"
}

case "$mode" in
    files) check_files ;;
    relocated) check_relocated ;;
    deb) check_deb ;;
    *) fail "unknown mode $mode" ;;
esac
echo "ok: $mode"
