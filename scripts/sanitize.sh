#!/usr/bin/env bash
# The core tests under the address and undefined-behaviour sanitizers, with a long run of the
# damaged-saved-game test: scripts/sanitize.sh [ROUNDS] (default 20000).
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-20000}
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer" >/dev/null
cmake --build build-sanitize -j "$(nproc)" --target kst_tests catalogue
cd build-sanitize/tests
env -u DISPLAY QT_QPA_PLATFORM=offscreen KESTRANE_NO_SOUND=1 UBSAN_OPTIONS=halt_on_error=1 \
    KST_FUZZ_ROUNDS="$rounds" ./kst_tests --gtest_filter='SavedGames.*:Undo.*:Moves*:Stock*:AutoMoves*:GameSession*:SessionPosition*'
