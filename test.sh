#!/usr/bin/env bash
# Installs what is missing, builds Kalup and runs every test: the unit tests,
# the soak and the game itself again in a sanitizer build, then the unit
# tests on a virtual display with silent audio and the end-to-end runs of
# the real game.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-packages.sh --tests
tools/build.sh
export SDL_AUDIODRIVER=dummy
# -noreset: the server would otherwise reset whenever its last client leaves,
# and a test connecting at that moment would find no display.
xvfb=(xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp -noreset")

# AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer: any report
# fails the run; only the leaks of libraries named in tests/lsan.supp pass.
cmake -S . -B build-asan -DKALUP_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" > /dev/null
cmake --build build-asan -j"$(nproc)" --target kalup_model_tests kalup_tests kalup_soak
(
  cd build-asan
  export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1
  export LSAN_OPTIONS=suppressions=$PWD/../tests/lsan.supp:print_suppressions=0
  export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
  ./kalup_model_tests --gtest_brief=1
  "${xvfb[@]}" ./kalup_tests --gtest_brief=1
  "${xvfb[@]}" ./kalup_soak
)

# The game itself in the sanitizer build, played end to end under its own X
# server: any report of ours fails the run.
cmake --build build-asan -j"$(nproc)" --target kalup
tests/e2e/sanitized_game.sh build-asan/kalup

# ThreadSanitizer: the game alone, started by every way in while its images
# and sounds load on threads of their own; any report of a data race fails
# the run, and only the libraries' own races named in tests/tsan.supp pass.
cmake -S . -B build-tsan -DKALUP_SANITIZE_THREAD=ON -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" > /dev/null
cmake --build build-tsan -j"$(nproc)" --target kalup
tests/e2e/threaded_startup.sh build-tsan/kalup

cd build
"${xvfb[@]}" ctest --output-on-failure -j2 --timeout 300
