// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SkinController.h"

#include <memory>

namespace florelle {

class FirstSetupDelegate;

// The skin page of the first-run setup: the settings page's skin list, its
// choice applied through the setup so that the setup's own background
// follows. It opens with the stored skin checked.
class FirstSkinController : public SkinController {
public:
    explicit FirstSkinController(std::weak_ptr<FirstSetupDelegate> setup);

protected:
    void loadView() override;
};

} // namespace florelle
