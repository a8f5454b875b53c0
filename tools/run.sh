#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds Florelle and starts it.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_packages
build_tree "$root/build/release" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF
exec "$root/build/release/src/app/florelle" "$@"
