// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace florelle {

// What the first-run setup tells the screen it lies over.
class FirstRunDelegate {
public:
    virtual ~FirstRunDelegate() = default;
    virtual void firstRunChoseSkin(int skin) = 0;
    // The setup has faded out and is gone.
    virtual void firstRunFinished() = 0;
};

} // namespace florelle
