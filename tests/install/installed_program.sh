#!/usr/bin/env bash
# Installs the build into a temporary prefix and starts the installed program
# on a fresh documents folder.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/prefix" >/dev/null
output=$(env -u FLORELLE_RESOURCE_DIR XDG_DATA_HOME="$work/data" "$work/prefix/bin/florelle" --info)
echo "$output"
grep -q "^Resources: $work/prefix/share/florelle$" <<<"$output"
grep -q "Cycle length 28 days" <<<"$output"
test -f "$work/data/florelle/period/period.db"
# The reminder helper is installed with its login autostart entry.
test -x "$work/prefix/bin/florelle-reminders"
grep -q "^Exec=florelle-reminders$" "$work/prefix/etc/xdg/autostart/org.florelle.Florelle.Reminders.desktop"
