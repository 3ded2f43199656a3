#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite: the unit and widget tests, the same
# tests under AddressSanitizer and UndefinedBehaviorSanitizer, and a bounded fuzzing run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
ctest --test-dir build --output-on-failure -j2 --timeout 300
# The Debian package builds and takes its library dependencies from dpkg-shlibdeps (a few seconds).
(cd build && cpack -G DEB >/dev/null && dpkg-deb --field corvex_*_*.deb Depends | grep -q libqt6widgets6)
scripts/run-sanitizers.sh --timeout 300
scripts/run-fuzz.sh
