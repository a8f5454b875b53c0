// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ShadeOnlyDataSource.h"

namespace florelle {

// The start/end date picker's data source; its controller sets the limits.
class CenterCalendarDataSource final : public ShadeOnlyDataSource {};

} // namespace florelle
