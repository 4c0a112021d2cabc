#!/usr/bin/env bash
# Installs a build the way a packager does and checks the result: desktop entries and metainfo
# validate, the installed program (stripped) reaches the main menu of every edition from another
# working folder, and the Debian package builds, passes lintian and starts every edition too.
# Usage: scripts/check-install.sh [build folder, default build]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=$(realpath "${1:-build}")
stage=$build/stage
prefix=/usr
share=$stage$prefix/share
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "check-install: $*" >&2
    exit 1
}

# The editions of this tree: the collapse game and one per assets/edition_NAME.ini.
editions=(collapse)
for file in assets/edition_*.ini; do
    [ -e "$file" ] || continue
    name=${file#assets/edition_}
    editions+=("${name%.ini}")
done

desktop_id() {
    if [ "$1" = collapse ]; then echo petalune; else echo "petalune-$1"; fi
}

# Runs PROGRAM as the edition's desktop entry in folder SHARE says, from a fresh working folder,
# until the main menu shows, and checks that every asset was found.
run_to_main_menu() {
    local program=$1 share=$2 edition=$3 label=$4
    local entry folder command status=0
    entry=$share/applications/$(desktop_id "$edition").desktop
    read -r -a command <<< "$(sed -n 's/^Exec=//p' "$entry")"
    [ "${command[0]}" = petalune ] || fail "$entry runs ${command[0]}, not petalune"
    folder=$work/$label-$edition
    mkdir -p "$folder"
    (cd "$folder" && HOME=$folder XDG_DATA_HOME=$folder SDL_VIDEODRIVER=offscreen ALSOFT_DRIVERS=null \
        "$program" "${command[@]:1}" -w720 -h960 --lang en --save-dir "$folder/save" \
        --script "$root/scripts/main-menu.script" --dump-on-exit main-menu.json > out.log 2> err.log) ||
        status=$?
    if [ "$status" -ne 0 ] || grep -q 'failed!' "$folder/err.log"; then
        cat "$folder/err.log" >&2
        fail "the $label program did not start the $edition edition cleanly (exit $status)"
    fi
    python3 - "$folder/main-menu.json" "$label $edition" <<'PY'
import json, sys
state = json.load(open(sys.argv[1]))
scene = state["scene"]
buttons = [item for menu in state["menus"] for item in menu["items"]
           if item["kind"] == "button" and item["visible"] and item["enabled"]]
if scene["class"] != "MenuScene" or scene["section"] != "menu_main" or not buttons:
    sys.exit(f"the {sys.argv[2]} edition shows {scene}, not its main menu with buttons")
print(f"{sys.argv[2]}: main menu with {len(buttons)} buttons")
PY
    [ "$(file -b "$folder/main-menu.png" | grep -o '720 x 960')" = "720 x 960" ] ||
        fail "the $label program saved no screenshot of the $edition edition's main menu"
}

cmake --build "$build" --target all screenshots

echo "-- install into $stage"
rm -rf "$stage"
DESTDIR=$stage cmake --install "$build" --prefix "$prefix" > "$build/install.log"

echo "-- desktop entries, icons, metainfo and man pages of: ${editions[*]}"
for edition in "${editions[@]}"; do
    id=$(desktop_id "$edition")
    component=com.cobaltheronsoft.${id//-/.}
    desktop-file-validate "$share/applications/$id.desktop"
    grep -qx "Exec=petalune --edition $edition" "$share/applications/$id.desktop" ||
        fail "$id.desktop does not start the $edition edition"
    appstreamcli validate --no-net --pedantic "$share/metainfo/$component.metainfo.xml"
    [ -f "$share/icons/hicolor/scalable/apps/$id.svg" ] || fail "no scalable icon $id.svg"
    for size in 16 24 32 48 64 128 256 512; do
        icon=$share/icons/hicolor/${size}x$size/apps/$id.png
        [ "$(file -b "$icon" | grep -o "$size x $size")" = "$size x $size" ] ||
            fail "$icon is not a $size x $size PNG"
    done
    # Every screenshot the metainfo names was made by the screenshots target.
    for shot in $(grep -o '[^/]*\.png</image>' "$share/metainfo/$component.metainfo.xml" | sed 's|</image>||'); do
        [ -s "$build/screenshots/$shot" ] || fail "the screenshot $shot was not made"
    done
done
for page in man6/petalune.6.gz man1/petalune-tool.1.gz; do
    zcat "$share/man/$page" | grep -qF '\-\-help' || fail "the man page $page lacks the options"
done
zcat "$share/man/man6/petalune.6.gz" | grep -q 'PETALUNE_DATA_DIR' || fail "petalune.6 lacks the environment"

echo "-- strip the installed programs and run them from elsewhere"
program=$stage$prefix/bin/petalune
# The install cut the archive off: what is left must still be a whole program.
"$program" --version > /dev/null || fail "the installed program does not run before stripping"
strip "$program" "$stage$prefix/bin/petalune-tool"
if unzip -l "$program" > /dev/null 2>&1; then fail "the installed program still carries an archive"; fi
for edition in "${editions[@]}"; do
    run_to_main_menu "$program" "$share" "$edition" installed
done

echo "-- Debian package"
rm -f "$build"/petalune_*.deb
(cd "$build" && cpack -G DEB > cpack.log) || { cat "$build/cpack.log"; fail "cpack failed"; }
deb=$(ls "$build"/petalune_*.deb)
dpkg-deb --info "$deb"
dpkg-deb --contents "$deb"
dpkg-deb --field "$deb" Depends | grep -q libsdl2 || fail "the package's Depends lacks the SDL library"
lintian --fail-on error "$deb"
dpkg-deb --extract "$deb" "$work/package"
for edition in "${editions[@]}"; do
    run_to_main_menu "$work/package/usr/games/petalune" "$work/package/usr/share" "$edition" packaged
done
echo "-- installed and packaged: ${editions[*]}"
