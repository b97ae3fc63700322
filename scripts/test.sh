#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the
# 32-bit Windows cross build of the portable code, the threaded desk tests
# under ThreadSanitizer, then all tests under AddressSanitizer and
# UndefinedBehaviorSanitizer. CTest's summary is the last thing printed.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh test

# A compiler cache, when the machine has one, makes a rebuild of unchanged
# code cheap; the build does not need it.
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi

echo "== Windows cross build (portable libraries)"
cmake -S . -B build-mingw -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
  -DCMAKE_BUILD_TYPE=Release -DZARNEL_PORTABLE_ONLY=ON "${launcher[@]}" >/dev/null
cmake --build build-mingw -j2

echo "== ThreadSanitizer: threads sharing a desk, and the desks' reader threads"
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZARNEL_TSAN=ON \
  -DZARNEL_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build build-tsan -j2 --target zarnel_core_tests zarnel_sources_tests
build-tsan/bin/zarnel_core_tests --gtest_filter='*Mailbox*:*Thread*:SoundOutput.*:MainWindow.*:LibraryShell.*:Recorder*:RecordingControl.*:Broadcast*' --gtest_brief=1
build-tsan/bin/zarnel_sources_tests --gtest_filter='PostedQueue.*:SpscRing.*:ReadAhead*' --gtest_brief=1

echo "== All tests, AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZARNEL_SANITIZE=ON \
  -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" "${launcher[@]}" >/dev/null
cmake --build build-test -j2
cd build-test
ctest --output-on-failure -j2
