#!/usr/bin/env bash
# Writes the README's pictures of the main window, docs/window-collapsed.png and
# docs/window-expanded.png, from a fresh start-up of the built program. Runs on a virtual X server
# when there is no display. Usage: tools/screenshots.sh [build folder, default build]
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build}
[ -d "$build" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target quorvane-window-shots -j 2
mkdir -p docs

shots=("$build/tools/quorvane-window-shots" "$PWD/docs")
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb "${shots[@]}"
else
    "${shots[@]}"
fi
echo "Wrote docs/window-collapsed.png and docs/window-expanded.png"
