// SPDX-License-Identifier: GPL-3.0-or-later
// Fontconfig keeps its font lists for the life of the process and the leak
// checker cannot see all of its pointers; libdbus keeps the connection data
// SDL's window asked for until a shutdown SDL does not call. Nothing of ours
// is hidden by this.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\nleak:libdbus-1.so\n";
}
