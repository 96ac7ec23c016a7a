#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number of seconds:
#   tools/fuzz.sh [seconds=60] [target...]
# New inputs go to build-fuzz/corpus/<target>; the seeds in fuzz/corpus stay as committed.
# Crashes are written to build-fuzz/crashes/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(fuzz_text_list fuzz_conversions fuzz_picture fuzz_bmp fuzz_style_file fuzz_name_template)

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DQUORVANE_FUZZ=ON -DQUORVANE_GUI=OFF -DQUORVANE_BENCH=OFF >/dev/null
cmake --build build-fuzz --target "${targets[@]}"

mkdir -p build-fuzz/crashes
for t in "${targets[@]}"; do
    seeds=fuzz/corpus/${t#fuzz_}
    work=build-fuzz/corpus/${t#fuzz_}
    mkdir -p "$work"
    echo "== $t for ${seconds}s"
    QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
        build-fuzz/fuzz/$t -max_total_time="$seconds" -rss_limit_mb=4096 -timeout=10 \
        -artifact_prefix=build-fuzz/crashes/$t- -print_final_stats=1 "$work" "$seeds" \
        2>&1 | grep -E '^(#[0-9]+ *DONE|stat::number_of_executed_units|stat::new_units_added|==[0-9]+==ERROR|SUMMARY|invariant)' || true
done
ls build-fuzz/crashes
