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
    libbenchmark-dev libdeflate-dev fonts-dejavu-core fonts-liberation2 xvfb xauth)
# The install tests validate the menu entry and metainfo, make the man page and build the .deb;
# the tool's threaded runner is also tested under ThreadSanitizer; the preview page is looked at
# in a real browser.
if [ "$mode" = test ]; then
    packages+=(clang-format desktop-file-utils appstream help2man dpkg-dev file libtsan2 chromium)
fi
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    # Root installs directly (CI, containers); anyone else through sudo, which may ask for a password.
    as_root=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null ||
            { echo "Missing packages (${missing[*]}), and not root with no sudo to install them." >&2; exit 1; }
        as_root=(sudo)
        echo "Not root: installing the missing packages through sudo."
    fi
    echo "Installing: ${missing[*]}"
    "${as_root[@]}" apt-get update -qq
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

jobs=$(nproc)
werror=OFF
[ "${CI:-}" = true ] && werror=ON

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVANE_WERROR=$werror >/dev/null
cmake --build build -j "$jobs"

if [ "$mode" = run ]; then
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
        echo "No display found: starting Quorvane on a virtual X server (xvfb-run)."
        exec xvfb-run -a -s "-screen 0 1280x1024x24" build/bin/quorvane
    fi
    exec build/bin/quorvane
fi

# Every source as the project's .clang-format lays it out. The sources are listed by git, so an
# unpacked copy without its history skips the check.
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -- '*.cpp' '*.h' | xargs -r clang-format --dry-run --Werror
else
    echo "Not a git work tree: the format check was skipped."
fi

ctest --test-dir build --output-on-failure -j "$jobs"

# Once more with AddressSanitizer and UndefinedBehaviorSanitizer: the library, the command line
# tool and their tests (the window tests stay in the normal build).
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORVANE_WERROR=$werror \
    -DQUORVANE_SANITIZE=ON -DQUORVANE_GUI=OFF -DQUORVANE_BENCH=OFF >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0 \
    ctest --test-dir build-asan --output-on-failure -j "$jobs"

# Once more with ThreadSanitizer, which cannot share a build with AddressSanitizer: only the command
# line tool's tests, as its runner is the one module with threads of its own.
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVANE_WERROR=$werror \
    -DQUORVANE_TSAN=ON -DQUORVANE_GUI=OFF -DQUORVANE_BENCH=OFF >/dev/null
cmake --build build-tsan -j "$jobs" --target cli_tests
TSAN_OPTIONS=suppressions=$PWD/tests/tsan.supp:halt_on_error=1 \
    ctest --test-dir build-tsan --output-on-failure -R '^cli_tests$'
