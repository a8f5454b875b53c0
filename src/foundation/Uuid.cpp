// SPDX-License-Identifier: GPL-3.0-or-later
#include "Uuid.h"

#include <uuid/uuid.h>

namespace florelle {

std::string makeUuidString() {
    uuid_t uuid;
    uuid_generate_random(uuid);
    char text[37];
    uuid_unparse_upper(uuid, text);
    return text;
}

} // namespace florelle
