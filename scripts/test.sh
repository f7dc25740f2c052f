#!/usr/bin/env bash
# Builds Velquin and its tests, then runs every test with ctest: unit tests
# through Wine, window tests on a private Xvfb display.
set -euo pipefail
repo_root=$(cd "$(dirname "$0")/.." && pwd)
"$repo_root/scripts/build.sh"
source "$repo_root/scripts/xvfb.sh"
velquin_start_xvfb
source "$repo_root/scripts/wine-env.sh"
# One wineserver for the whole run: starting a program then costs milliseconds.
wineserver -p 2>/dev/null || true  # already running for this prefix: use it
wine cmd /c exit </dev/null >/dev/null 2>&1
trap 'wineserver -k 2>/dev/null; kill $velquin_xvfb_pid 2>/dev/null' EXIT
cd "$repo_root/build"
# Under Wine and Xvfb a synthesized click or key now and then goes astray; a
# test that fails is run again, up to three times in all. A real fault
# fails every time.
ctest --output-on-failure -j2 --repeat until-pass:3 "$@"
