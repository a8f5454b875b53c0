// SPDX-License-Identifier: GPL-3.0-or-later
#include "VideoDriverChoice.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <wayland-client.h>

namespace florelle {

namespace {

constexpr const char* noSeat = "the Wayland compositor offers no input seat";

struct DisplayDisconnect {
    void operator()(wl_display* display) const { wl_display_disconnect(display); }
};

struct RegistryDestroy {
    void operator()(wl_registry* registry) const { wl_registry_destroy(registry); }
};

void addGlobal(void* data, wl_registry*, uint32_t, const char* interface, uint32_t) {
    static_cast<std::vector<std::string>*>(data)->emplace_back(interface);
}

void removeGlobal(void*, wl_registry*, uint32_t) {}

const wl_registry_listener globalsListener = {addGlobal, removeGlobal};

} // namespace

VideoDriverChoice
VideoDriverChoice::choose(const std::optional<std::vector<std::string>>& waylandGlobals,
                          bool x11Named) {
    if (!waylandGlobals) {
        return {"x11", ""};
    }
    if (std::ranges::find(*waylandGlobals, "wl_seat") != waylandGlobals->end()) {
        return {"wayland,x11", ""};
    }
    if (x11Named) {
        return {"x11", std::string(noSeat) + "; using X11 instead"};
    }
    return {"", noSeat};
}

std::optional<std::vector<std::string>> readWaylandGlobals() {
    // Outside a Wayland session there is no compositor to ask (and
    // libwayland would complain about the missing runtime folder).
    if (!std::getenv("WAYLAND_DISPLAY")) {
        return std::nullopt;
    }
    std::unique_ptr<wl_display, DisplayDisconnect> display(wl_display_connect(nullptr));
    if (!display) {
        return std::nullopt;
    }
    std::unique_ptr<wl_registry, RegistryDestroy> registry(wl_display_get_registry(display.get()));
    std::vector<std::string> globals;
    if (!registry || wl_registry_add_listener(registry.get(), &globalsListener, &globals) != 0 ||
        wl_display_roundtrip(display.get()) < 0) {
        return std::nullopt;
    }
    return globals;
}

} // namespace florelle
