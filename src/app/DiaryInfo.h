// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace florelle {

// The summary `florelle --info` prints: version, where the diary and the
// resources are, the cycle settings and how many periods are logged.
class DiaryInfo {
public:
    // Returns the exit status: 1 when the diary cannot be opened.
    static int print();
};

} // namespace florelle
