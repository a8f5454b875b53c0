// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ShadeOnlyDataSource.h"

namespace florelle {

// The past period calendar's data source; its controller sets the limits.
class SummaryCalendarDataSource final : public ShadeOnlyDataSource {};

} // namespace florelle
