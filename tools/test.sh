#!/usr/bin/env bash
# Every test: the native build (debug, ASan and UBSan) with its unit and headless
# end-to-end tests, the optimised native build (built only, so that a break of it
# fails here; its soak and benchmarks are long runs, not tests), then the Windows
# build with its tests under Wine on Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake --preset native
cmake --build --preset native
ctest --preset native
cmake --preset native-release
cmake --build --preset native-release
cmake --preset windows
cmake --build --preset windows
ctest --preset windows
