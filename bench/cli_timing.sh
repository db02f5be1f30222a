#!/usr/bin/env bash
# Times tallowick-cli --format tsv on real folders: empty files named after the combined name
# lists, listing and output included. Usage: cli_timing.sh CLI DATA_DIR
set -euo pipefail
cli=${1:?usage: cli_timing.sh CLI DATA_DIR}
data=${2:?usage: cli_timing.sh CLI DATA_DIR}
if [[ ! -f "$data/combined/roms.txt" ]]; then
    echo "No name lists at $data: nothing to time."
    exit 0
fi
data=$(cd "$data" && pwd)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/roms" "$work/images"
(cd "$work/roms" && tr '\n' '\0' <"$data/combined/roms.txt" | xargs -0 touch --)
(cd "$work/images" && tr '\n' '\0' <"$data/combined/images.txt" | xargs -0 touch --)

count() { find "$1" -maxdepth 1 -type f | wc -l; }
echo "tallowick-cli --format tsv: $(count "$work/roms") ROM files, $(count "$work/images") image files"
command=("$cli" --format tsv "$work/images" "$work/roms")
if command -v hyperfine >/dev/null; then
    hyperfine --warmup 1 --runs 5 --output null "${command[*]}"
else
    "${command[@]}" >/dev/null # warm the directory caches
    for run in 1 2 3 4 5; do
        /usr/bin/time -f "run $run: %e s wall, %U s user, %S s system, %M KB peak" \
            "${command[@]}" >/dev/null
    done
fi
