# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by run.sh and test.sh: installs what is missing, then configures and
# builds one build folder. Sourced, not run.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_packages() {
  local wanted missing=()
  wanted=$(grep -hv '^\s*#' "$root"/tools/packages.d/*.txt | awk 'NF {print $1}' | sort -u)
  for p in $wanted; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# build_tree DIR [cmake options...]
build_tree() {
  local dir=$1; shift
  export CCACHE_DIR=${CCACHE_DIR:-$HOME/.cache/florelle-ccache}
  cmake -S "$root" -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" --parallel "$(nproc)"
}
