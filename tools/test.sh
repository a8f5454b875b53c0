#!/usr/bin/env bash
# Installs what is missing, builds everything with the sanitizers and runs
# every test.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_packages
build_tree "$root/build/test" -DCMAKE_BUILD_TYPE=Debug -DFLORELLE_SANITIZE=ON -DBUILD_TESTING=ON
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
cd "$root/build/test"
ctest --output-on-failure --parallel "$(nproc)" --timeout 600
