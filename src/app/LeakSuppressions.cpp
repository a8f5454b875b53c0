// SPDX-License-Identifier: GPL-3.0-or-later
// Only read by the leak checker of sanitised builds.
// Fontconfig keeps its font lists for the life of the process, and D-Bus (which
// the window system's input methods open) its connection data; the leak
// checker cannot see all of their pointers. Nothing of ours is hidden by this.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\nleak:libdbus-1.so\n";
}
