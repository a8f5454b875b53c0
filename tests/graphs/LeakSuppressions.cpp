// SPDX-License-Identifier: GPL-3.0-or-later
// Fontconfig keeps its font lists for the life of the process and the leak
// checker cannot see all of its pointers; nothing of ours is hidden by this.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
