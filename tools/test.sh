#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds everything with the sanitizers and runs
# every test.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_packages
# Storage tests prove that numbers are written the same under a decimal-comma
# locale, so that locale must exist.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  as_root sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  as_root locale-gen >/dev/null
fi
build_tree "$root/build/test" -DCMAKE_BUILD_TYPE=Debug -DFLORELLE_SANITIZE=ON -DBUILD_TESTING=ON
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
cd "$root/build/test"
ctest --output-on-failure --parallel "$(nproc)" --timeout 600
