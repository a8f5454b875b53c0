#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary prefix and starts the installed program
# on a fresh documents folder.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/prefix" >/dev/null
share=$work/prefix/share
# "<width> <height>" of a PNG file, from its header.
png_size() {
    test "$(head -c 8 "$1" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a
    echo $((16#$(od -An -j16 -N4 -tx1 "$1" | tr -d ' \n'))) \
        $((16#$(od -An -j20 -N4 -tx1 "$1" | tr -d ' \n')))
}
run() {
    env -u FLORELLE_RESOURCE_DIR XDG_DATA_HOME="$work/data" "$work/prefix/bin/florelle" "$@"
}
output=$(run --info)
echo "$output"
grep -q "^Resources: $share/florelle$" <<<"$output"
grep -q "Cycle length 28 days" <<<"$output"
test -f "$work/data/florelle/period/period.db"

# The reminder helper is installed with its login autostart entry.
test -x "$work/prefix/bin/florelle-reminders"
grep -q "^Exec=florelle-reminders$" "$work/prefix/etc/xdg/autostart/org.florelle.Florelle.Reminders.desktop"

# The launcher and the software centre find the program under its id, in
# English and translated.
desktop=$share/applications/org.florelle.Florelle.desktop
metainfo=$share/metainfo/org.florelle.Florelle.metainfo.xml
grep -q "^Exec=florelle$" "$desktop"
# The shell asks the bus for the window, and the bus starts it when none is open.
grep -q "^DBusActivatable=true$" "$desktop"
service=$share/dbus-1/services/org.florelle.Florelle.service
grep -q "^Name=org.florelle.Florelle$" "$service"
grep -qx "Exec=$work/prefix/bin/florelle" "$service"
grep -q "^Icon=org.florelle.Florelle$" "$desktop"
grep -q "^Comment\[de\]=.*Tagebuch" "$desktop"
grep -q '<summary xml:lang="de">' "$metainfo"
grep -q '<launchable type="desktop-id">org.florelle.Florelle.desktop</launchable>' "$metainfo"
grep -q '<project_license>GPL-3.0-or-later</project_license>' "$metainfo"
grep -q 'GNU GENERAL PUBLIC LICENSE' "$share/doc/florelle/LICENSE"
for pixels in 48 64 128; do
    icon=$share/icons/hicolor/${pixels}x${pixels}/apps/org.florelle.Florelle.png
    test "$(png_size "$icon")" = "$pixels $pixels"
done
grep -q "<svg" "$share/icons/hicolor/scalable/apps/org.florelle.Florelle.svg"

# Started from there without a window it draws its main screen, and speaks
# the language asked for: the texts come from the installed catalogues.
run --headless --screenshot "$work/main.png"
test "$(png_size "$work/main.png")" = "640 960"
run --headless --screenshot-size 720x1440 --screenshot "$work/phone.png"
test "$(png_size "$work/phone.png")" = "720 1440"
echo dump >"$work/dump"
english=$(LANGUAGE=en run --headless --script "$work/dump")
german=$(LANGUAGE=de run --headless --script "$work/dump")
grep -q 'text="Tap the centre to log your period"' <<<"$english"
grep -q 'text="Tippe auf die Mitte, um deine Periode einzutragen"' <<<"$german"
