// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gio/gio.h>
#include <memory>

namespace florelle {

// Owners of GLib's C objects: each releases its one reference.
struct GErrorFree {
    void operator()(GError* error) const { g_error_free(error); }
};
using GErrorHandle = std::unique_ptr<GError, GErrorFree>;

struct GVariantUnref {
    void operator()(GVariant* variant) const { g_variant_unref(variant); }
};
using GVariantHandle = std::unique_ptr<GVariant, GVariantUnref>;

struct GObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
template <typename T> using GObjectHandle = std::unique_ptr<T, GObjectUnref>;

struct GMainContextUnref {
    void operator()(GMainContext* context) const { g_main_context_unref(context); }
};
using GMainContextHandle = std::unique_ptr<GMainContext, GMainContextUnref>;

} // namespace florelle
