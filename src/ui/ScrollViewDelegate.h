// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace florelle {

class ScrollView;

// Told of a scroll view's scrolling; every call has a default that does nothing.
class ScrollViewDelegate {
public:
    virtual ~ScrollViewDelegate() = default;
    // The content offset changed, by a drag, deceleration, animation or a call.
    virtual void scrollViewDidScroll(ScrollView&) {}
    virtual void scrollViewWillBeginDragging(ScrollView&) {}
    virtual void scrollViewDidEndDragging(ScrollView&, bool /*willDecelerate*/) {}
    virtual void scrollViewDidEndDecelerating(ScrollView&) {}
    // An animated setContentOffset or scrollRectToVisible came to its end.
    virtual void scrollViewDidEndScrollingAnimation(ScrollView&) {}
};

} // namespace florelle
