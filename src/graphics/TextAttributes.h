// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace florelle {

// How text that does not fit its width is broken or shortened.
enum class LineBreakMode {
    WordWrap,      // lines break between words; a word too long for a line breaks anywhere
    CharacterWrap, // lines break between any two characters
    Clip,          // lines break between words; what lies outside the box is cut off
    TruncateHead,  // one line, starting with "…"
    TruncateTail,  // as many lines as fit, the last ending with "…" when text is left over
    TruncateMiddle // one line with "…" in its middle
};

enum class TextAlignment { Left, Center, Right };

} // namespace florelle
