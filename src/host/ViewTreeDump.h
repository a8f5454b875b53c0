// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace florelle {

class View;

// A text picture of a view tree for scripts and tests: one line per view,
// indented two spaces per level, such as
//   Label frame=(20,40,280,21) alpha=1 hidden=0 text="Today"
// The frame is the model's, in the superview's coordinates; the text is what
// the view shows (omitted when it shows none).
class ViewTreeDump {
public:
    static std::string describe(const View& root);
    // The class name of a view, without namespace ("Label").
    static std::string className(const View& view);

private:
    static void describe(const View& view, int depth, std::string& out);
};

} // namespace florelle
