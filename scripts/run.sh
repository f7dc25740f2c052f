#!/usr/bin/env bash
# Builds Velquin and starts it under Wine: on $DISPLAY when there is one,
# else on an Xvfb display of its own.
set -euo pipefail
repo_root=$(cd "$(dirname "$0")/.." && pwd)
"$repo_root/scripts/build.sh"
source "$repo_root/scripts/xvfb.sh"
if [ -z "${DISPLAY:-}" ]; then
  velquin_start_xvfb
  echo "No display: Velquin runs on the Xvfb display $DISPLAY (see it with: import -display $DISPLAY -window root shot.png)"
fi
source "$repo_root/scripts/wine-env.sh"
cd "$repo_root/build/app"
wine Velquin.exe
