#!/usr/bin/env bash
# Runs editor_fill_bench.exe under Wine on a virtual display of its own.
#   bench/win32/run_editor_fill_bench.sh [MEGABYTES]
set -euo pipefail
cd "$(dirname "$0")/../.."
export WINEPREFIX="$PWD/build/windows/window-check/wineprefix"
export WINEDEBUG=-all
exec {display_pipe}<> <(:)
Xvfb -displayfd "$display_pipe" -screen 0 1024x900x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'wineserver --kill 2>/dev/null || true; kill "$xvfb" 2>/dev/null || true' EXIT
read -r -t 30 -u "$display_pipe" display_number
DISPLAY=":$display_number" wine build/windows/bin/editor_fill_bench.exe "${1:-20}"
