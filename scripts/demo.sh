#!/usr/bin/env bash
# Installs what is missing, builds, and starts Corvex in demo/ with a sample plot.dat ready.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
mkdir -p demo
cp tests/data/sample.dat demo/plot.dat
cd demo
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "No display found: starting Corvex on a virtual X server (xvfb-run)."
  exec xvfb-run -a -s "-screen 0 1280x1024x24" ../build/corvex
fi
exec ../build/corvex
