#!/usr/bin/env bash
# quorvane-batch against ImageMagick on the same work: 300 labels on a 150x56 picture, each drawn
# with the same 25 text passes (shadow ring, outline, 3D shades, face) and written as a BMP. The
# ImageMagick side is its fastest form: one process, the picture kept in memory (mpr:), one
# -annotate per pass and one -write per label.
#
# Usage: bench/compare_imagemagick.sh PATH/TO/quorvane-batch [LABEL_COUNT]
# QUORVANE_BENCH_DIR picks the file system both write to (e.g. /dev/shm to leave the disk out).
set -euo pipefail

tool=${1:?usage: $0 PATH/TO/quorvane-batch [LABEL_COUNT]}
count=${2:-300}

# /usr/local/bin/convert may be a stand-in that is not ImageMagick at all.
find_imagemagick() {
    local candidate
    for candidate in convert /usr/bin/convert convert-im6.q16 magick; do
        if command -v "$candidate" >/dev/null 2>&1 &&
            "$candidate" -version 2>/dev/null | grep -q ImageMagick; then
            command -v "$candidate"
            return 0
        fi
    done
    return 1
}

if ! im=$(find_imagemagick); then
    echo "installing ImageMagick..." >&2
    apt-get install -y imagemagick >/dev/null 2>&1 ||
        { apt-get update >/dev/null && apt-get install -y imagemagick >/dev/null; }
    im=$(find_imagemagick) || { echo "ImageMagick could not be installed" >&2; exit 1; }
fi

font_file=$(fc-match -f '%{file}' 'DejaVu Sans')
work=$(mktemp -d "${QUORVANE_BENCH_DIR:-${TMPDIR:-/tmp}}/compare_imagemagick-XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/im"

"$im" -size 150x56 gradient:'#143cc8-#e6b428' -type TrueColor "$work/back.png"
words=(Home News Contact "About us" Products Help Download Shop)
labels=()
for ((i = 0; i < count; i++)); do
    labels+=("${words[i % 8]} $i")
    printf '%s\r\n' "${labels[i]}"
done >"$work/labels.txt"

# Colour 200,40,12: face, dark shade (-100, held at 0) and light shade (+100, held at 255).
face='rgb(200,40,12)' dark='rgb(100,0,0)' light='rgb(255,140,112)'
passes() {  # colour, then the offsets of its passes, each as dx dy
    local colour=$1
    shift
    cmd+=(-fill "$colour")
    while (($#)); do
        cmd+=(-annotate "$(printf '%+d%+d' "$1" "$2")" "$label")
        shift 2
    done
}
# 10 points at 96 dots per inch; ImageMagick's points are pixels at its default 72.
cmd=("$im" "$work/back.png" -write mpr:bg +delete -font "$font_file" -pointsize 13.333
     -gravity center)
for label in "${labels[@]}"; do
    cmd+=(mpr:bg)
    passes black 0 0 1 0 2 0 0 1 2 1 0 2 1 2 2 2        # shadow, a ring around (+1, +1)
    passes black -1 -1 0 -1 1 -1 -1 0 1 0 -1 1 0 1 1 1  # outline
    passes "$dark" 1 -1
    passes "$light" -1 -1 0 -1 -1 0 -1 1
    passes "$dark" 1 0 0 1 1 1
    passes "$face" 0 0
    cmd+=(-type TrueColor -write "BMP3:$work/im/$label.bmp" +delete)
done
cmd+=(mpr:bg null:)

now() { echo "$EPOCHREALTIME"; }  # no process of its own to time
elapsed() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", b - a }'; }

start=$(now)
"${cmd[@]}"
im_seconds=$(elapsed "$start" "$(now)")

# Every run writes into a new folder: deleting the last run's files would make ext4 skip the
# freed inodes and time its bookkeeping instead of the tool.
best_run() {  # best of three runs of the tool: a name for its folders, then extra arguments
    local name=$1 best="" seconds run qv_dir
    shift
    for run in 1 2 3; do
        qv_dir="$work/qv-$name-$run"
        mkdir "$qv_dir"
        sync
        start=$(now)
        "$tool" --labels "$work/labels.txt" --out "$qv_dir" --background "$work/back.png" \
            --font 'DejaVu Sans' --color 200,40,12 --shadow --outline --3d --quiet "$@" >/dev/null
        seconds=$(elapsed "$start" "$(now)")
        if [[ -z $best ]] || awk -v a="$seconds" -v b="$best" 'BEGIN { exit !(a < b) }'; then
            best=$seconds
        fi
    done
    echo "$best"
}
qv_seconds=$(best_run cores)
qv1_seconds=$(best_run one --jobs 1)

im_files=$(find "$work/im" -name '*.bmp' | wc -l)
qv_files=$(find "$work/qv-cores-1" -name '*.bmp' | wc -l)
echo "ImageMagick ($("$im" -version | head -1 | cut -d' ' -f2-3)): $im_files buttons in ${im_seconds} s"
echo "quorvane-batch, one job per core ($(nproc)): $qv_files buttons in ${qv_seconds} s"
echo "quorvane-batch --jobs 1: ${qv1_seconds} s"
awk -v im="$im_seconds" -v qv="$qv_seconds" -v qv1="$qv1_seconds" 'BEGIN {
    printf "quorvane-batch is %.0fx as fast as ImageMagick (%.0fx with --jobs 1)\n", im / qv, im / qv1
}'
