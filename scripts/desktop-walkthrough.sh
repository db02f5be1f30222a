#!/usr/bin/env bash
# Does the whole job in the desktop program as a person would, under a virtual X server:
# picks the three folders by typing their paths into the folder dialog, waits for the list,
# presses "Go!", and takes screenshots along the way. The folders are made from the name lists
# in ../shared/data (empty ROM files, image files that hold their own name).
#
# Usage: xvfb-run -a -s "-screen 0 1280x800x24" scripts/desktop-walkthrough.sh BUILD_DIR OUT_DIR [SYSTEM]
# TALLOWICK_DATA_DIR names the folder of name lists when it is not ../shared/data.
set -euo pipefail

build_dir=$(realpath "$1")
out_dir=$(realpath -m "$2")
system=${3:-mastersystem}
repo=$(dirname "$(realpath "$0")")/..
data_dir=${TALLOWICK_DATA_DIR:-$repo/../shared/data}/$system

mkdir -p "$out_dir"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/roms" "$work/snaps" "$work/dest"
while IFS= read -r name; do : >"$work/roms/$name"; done <"$data_dir/roms.txt"
while IFS= read -r name; do printf '%s' "$name" >"$work/snaps/$name"; done <"$data_dir/snaps.txt"
(cd "$work/snaps" && find . -type f -print0 | sort -z | xargs -0 sha256sum) >"$work/snaps.before"

shot() {
    sleep 1
    import -window root "$out_dir/$1.png"
}

# Types `path` into the folder dialog that has just opened and picks it.
pick_folder() {
    local title=$1 path=$2
    xdotool search --sync --name "^${title//./\\.}\$" >/dev/null
    sleep 0.5
    xdotool type --delay 5 "$path"
    [[ -n ${3:-} ]] && shot "$3"
    xdotool key Return
}

"$build_dir/src/ui/tallowick" &
app=$!
xdotool search --sync --name '^Tallowick$' >/dev/null
sleep 1
shot 01-started

# Tab order: Go! (off until a destination is picked), Browse (source), Browse (ROM), list,
# option, Browse (destination). The source Browse has the focus at start.
xdotool key space
pick_folder 'Folder of files to rename...' "$work/snaps" 02-source-dialog
sleep 1
xdotool key Tab space
pick_folder 'Folder of files to get filenames from...' "$work/roms"
sleep 0.3
shot 03-looking-up
while xdotool search --name '^Progress\.\.\.$' >/dev/null 2>&1; do sleep 0.5; done
shot 04-list-filled
xdotool key Tab Tab Tab space
pick_folder 'Destination folder for renamed files...' "$work/dest"
sleep 1
xdotool key Tab space # to "Go!", and press it
xdotool search --sync --name '^Copying (done|stopped)$' >/dev/null
shot 05-summary
xdotool key Return
sleep 0.5
kill "$app"
wait "$app" 2>/dev/null || true

(cd "$work/snaps" && find . -type f -print0 | sort -z | xargs -0 sha256sum) >"$work/snaps.after"
echo "ROM files: $(ls "$work/roms" | wc -l)"
echo "source files: $(ls "$work/snaps" | wc -l)"
echo "copies in the destination: $(ls "$work/dest" | wc -l)"
if cmp -s "$work/snaps.before" "$work/snaps.after"; then
    echo "source folder unchanged"
else
    echo "source folder CHANGED"
    exit 1
fi
# Every copy holds the content of the source file it was copied from.
mismatches=0
for copy in "$work/dest"/*; do
    content=$(cat "$copy")
    [[ -f "$work/snaps/$content" ]] || mismatches=$((mismatches + 1))
done
echo "copies whose content is not a source file's: $mismatches"
ls "$work/dest" | head -5 >"$out_dir/dest-sample.txt"
