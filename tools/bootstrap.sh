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

packages=(g++ cmake ninja-build pkg-config qt6-base-dev libgl-dev libdeflate-dev fonts-dejavu-core
    fonts-liberation2 xvfb xauth)
# The tests: GoogleTest; the format check; the install tests validate the menu entry, the metainfo
# and the MIME type, make and read the man pages, and build and lint the .deb; the tool's threaded
# runner is also tested under ThreadSanitizer; the preview page is looked at in a real browser;
# translated labels include Japanese, which DejaVu lacks.
if [ "$mode" = test ]; then
    packages+=(libgtest-dev libgmock-dev clang-format desktop-file-utils appstream help2man man-db
        bsdextrautils dpkg-dev file lintian shared-mime-info libxml2-utils libtsan2 chromium
        fonts-ipafont-gothic)
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

# Marks each step with the time so far, by the clock and in processor time (user and system, of
# everything the script ran), so that a slow run shows where its time went.
started=$SECONDS
cpu_file=$(mktemp)
trap 'rm -f "$cpu_file"' EXIT
step() {
    times >"$cpu_file"  # in this shell: a command substitution would time only itself
    echo "== $1 ($((SECONDS - started)) s so far; processor time: $(tail -n 1 "$cpu_file"))"
}

if [ "$mode" = run ]; then
    cmake --preset normal -DBUILD_TESTING=OFF -DQUORVANE_WERROR=$werror >/dev/null
    cmake --build --preset normal -j "$jobs"
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

# The presets are in CMakePresets.json. Benchmarks, fuzzers and the art tools are not built: no
# test runs them.
#
# A test run leaves the processors partly idle (it waits on xvfb, chromium and the installed
# tree's tools), so each one runs beside the next build. That build runs at a lower priority, so
# that the tests run at the speed they would alone and their time limits hold. A run's output is
# kept and shown whole once it has finished.
tests_pid=
tests_log=$(mktemp)
trap 'rm -f "$cpu_file" "$tests_log"; [ -z "$tests_pid" ] || kill "$tests_pid" 2>/dev/null || :' EXIT
start_tests() {
    ctest --preset "$1" -j "$jobs" >"$tests_log" 2>&1 &
    tests_pid=$!
}
finish_tests() {
    local status=0
    wait "$tests_pid" || status=$?
    tests_pid=
    step "$1 tests finished"
    cat "$tests_log"
    [ "$status" -eq 0 ] || { echo "The $1 tests failed." >&2; exit "$status"; }
}

# Builds preset $1 at a lower priority while the tests of preset $2 run, then shows those tests.
build_beside_tests() {
    nice cmake --preset "$1" -DQUORVANE_WERROR=$werror >/dev/null
    nice cmake --build --preset "$1" -j "$jobs"
    step "$1 build done"
    finish_tests "$2"
}

step "normal build"
cmake --preset normal -DQUORVANE_WERROR=$werror >/dev/null
cmake --build --preset normal -j "$jobs"
step "normal tests, beside the asan build"
start_tests normal

# Once more with AddressSanitizer and UndefinedBehaviorSanitizer: the library, both programs and
# every test but the installed tree's.
build_beside_tests asan normal
step "asan tests, beside the tsan build"
start_tests asan

# Once more with ThreadSanitizer, which cannot share a build with AddressSanitizer: only the command
# line tool's tests, as its runner is the one module with threads of its own.
build_beside_tests tsan asan
step "tsan tests"
ctest --preset tsan
step "done"
