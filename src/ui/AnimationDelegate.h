// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace florelle {

class Animation;

// Told when an animation added to a view stops: finished is true when it ran
// to its end, false when it was removed or replaced before, or its view went.
class AnimationDelegate {
public:
    virtual ~AnimationDelegate() = default;
    virtual void animationDidStop(const Animation& animation, bool finished) = 0;
};

} // namespace florelle
