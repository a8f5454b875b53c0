// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace florelle {

// The keys that move or act rather than type: the arrows, Enter and the
// page keys, as the host reads them from the keyboard.
enum class Key { left, right, up, down, enter, pageUp, pageDown };

} // namespace florelle
