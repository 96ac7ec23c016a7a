#!/usr/bin/env bash
# Sets up a Debian 12 machine for Quorvane, builds it, then starts the program (`run`) or runs the
# whole test suite (`test`). apt-get runs only when a package is missing.
set -euo pipefail
cd "$(dirname "$0")/.."

mode=${1:-run}
case "$mode" in
    run | test) ;;
    *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac

packages=(g++ cmake ninja-build pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev
    libbenchmark-dev fonts-dejavu-core fonts-liberation2 xvfb xauth libdeflate-dev)
if [ "$mode" = test ]; then packages+=(clang-format chromium); fi
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

jobs=$(nproc)
werror=OFF
[ "${CI:-}" = true ] && werror=ON

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVANE_WERROR=$werror >/dev/null
cmake --build build -j "$jobs"

if [ "$mode" = run ]; then
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
        echo "No display found: starting Quorvane on a virtual X server (xvfb-run)."
        exec xvfb-run -a -s "-screen 0 1280x1024x24" build/src/quorvane
    fi
    exec build/src/quorvane
fi

# Every source as the project's .clang-format lays it out.
git ls-files -- '*.cpp' '*.h' 2>/dev/null | xargs -r clang-format --dry-run --Werror

ctest --test-dir build --output-on-failure -j "$jobs"

# Once more with AddressSanitizer and UndefinedBehaviorSanitizer: the library, the command line
# tool and their tests (the window tests stay in the normal build).
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORVANE_WERROR=$werror \
    -DQUORVANE_SANITIZE=ON -DQUORVANE_GUI=OFF -DQUORVANE_BENCH=OFF >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0 \
    ctest --test-dir build-asan --output-on-failure -j "$jobs"
