#!/usr/bin/env bash
# Peak memory of quorvane-batch against the length of the list: 10,000 and 100,000 labels on a
# 150x56 picture with all three effects, written as BMP. The runner keeps only a small window of
# buttons in flight, so the peak resident set must stay flat while the list grows tenfold.
# Builds nothing: it runs the tool that is there.
#
# Usage: bench/memory_batch.sh [PATH/TO/quorvane-batch] [COUNT...]
#   Default tool: build/bin/quorvane-batch. Default counts: 10000 100000.
#   The buttons go to a folder under $QV_BENCH_DIR (default: /dev/shm when it has room, else the
#   system's temporary folder) and are deleted after each run.
set -euo pipefail

tool=${1:-build/bin/quorvane-batch}
shift || true
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(10000 100000)
[ -x "$tool" ] || { echo "no quorvane-batch at $tool: build it first" >&2; exit 2; }

if [ ! -x /usr/bin/time ]; then
    echo "installing GNU time..." >&2
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq time >/dev/null 2>&1 ||
        { apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq time >/dev/null; }
fi

# 100,000 buttons of 25 KB take 2.5 GB: a tmpfs only when it holds them with room to spare.
largest=0
for n in "${counts[@]}"; do [ "$n" -gt "$largest" ] && largest=$n; done
need_kb=$((largest * 26 + 1048576))
base=${QV_BENCH_DIR:-}
if [ -z "$base" ]; then
    base=${TMPDIR:-/tmp}
    if [ -d /dev/shm ] && [ "$(df -Pk /dev/shm | awk 'NR == 2 { print $4 }')" -gt "$need_kb" ]; then
        base=/dev/shm
    fi
fi
work=$(mktemp -d "$base/quorvane-memory.XXXXXX")
trap 'rm -rf "$work"' EXIT

# The background: a 150x56 24-bit BMP with a gradient, written without any image tool.
python3 - "$work/back.bmp" <<'EOF'
import struct, sys
w, h = 150, 56
row = (w * 3 + 3) & ~3
pixels = bytearray()
for y in range(h):
    line = bytearray()
    for x in range(w):
        line += bytes((40 + x, 60 + 2 * y, 200 - x))
    pixels += line + bytes(row - len(line))
header = struct.pack('<2sIHHI', b'BM', 54 + len(pixels), 0, 0, 54)
info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(pixels), 3780, 3780, 0, 0)
open(sys.argv[1], 'wb').write(header + info + pixels)
EOF

echo "quorvane-batch: $tool"
echo "buttons written to: $base ($(nproc) cores)"
printf '%10s %10s %14s %12s\n' labels seconds "peak RSS KiB" "buttons/s"
for n in "${counts[@]}"; do
    # One label per line, CR LF line ends, as Windows editors write them.
    awk -v n="$n" 'BEGIN { for (i = 1; i <= n; i++) printf "Button %06d\r\n", i }' \
        >"$work/labels.txt"
    mkdir "$work/out"
    /usr/bin/time -v -o "$work/time.txt" "$tool" --labels "$work/labels.txt" \
        --background "$work/back.bmp" --out "$work/out" --font "DejaVu Sans" \
        --shadow --outline --3d --quiet >/dev/null
    written=$(find "$work/out" -maxdepth 1 -name '*.bmp' | wc -l)
    [ "$written" -eq "$n" ] || { echo "wrote $written buttons, not $n" >&2; exit 1; }
    rss=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$work/time.txt")
    elapsed=$(awk -F': ' '/Elapsed \(wall clock\)/ { print $2 }' "$work/time.txt")
    seconds=$(awk -v t="$elapsed" 'BEGIN { n = split(t, p, ":"); s = 0
        for (i = 1; i <= n; i++) s = s * 60 + p[i]; print s }')
    printf '%10d %10.2f %14d %12.0f\n' "$n" "$seconds" "$rss" "$(awk -v n="$n" -v s="$seconds" \
        'BEGIN { print (s > 0 ? n / s : 0) }')"
    rm -rf "$work/out"
    [ -n "${first_n:-}" ] || { first_n=$n; first_rss=$rss; }
    last_n=$n
    last_rss=$rss
done
if [ "$last_n" -gt "$first_n" ]; then
    # What grows with the list is the list itself (its labels held as text), not the buttons.
    echo "growth: $((last_rss - first_rss)) KiB for $((last_n - first_n)) more labels,"         "$(((last_rss - first_rss) * 1024 / (last_n - first_n))) bytes per label"
fi
