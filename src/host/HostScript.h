// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

namespace florelle {

class HeadlessHost;

// Drives a headless host from a script, one command per line:
//   tap X Y                 a finger down and up at the point
//   drag X1 Y1 X2 Y2        down at the first point, moved to the second, up
//   type TEXT               the rest of the line as typed text
//   key NAME                left, right, up, down, enter, pageup or pagedown
//   wait SECONDS            moves the clock on
//   screenshot FILE         the screen as a PNG (the rest of the line names it)
//   dump                    the key window's view tree, written to the output
//   frames                  presents a frame and writes the number of frames
//                           that changed pixels, the pixels the last one
//                           changed and how many views drew for it
// Blank lines and lines starting with '#' are skipped. The first line that
// cannot be run stops the script with a message naming its number.
class HostScript {
public:
    HostScript(HeadlessHost& host, std::ostream& output) : host_(host), output_(output) {}

    // False, with the reason in `error`, when a line could not be run.
    bool run(std::istream& script, std::string& error);
    bool runLine(std::string_view line, std::string& error);

private:
    HeadlessHost& host_;
    std::ostream& output_;
};

} // namespace florelle
