// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cairo.h>
#include <pango/pango.h>
#include <utility>

namespace florelle {

// Owns one reference to a reference-counted C object (or one copy of a
// copyable one). Copying takes another reference; the last owner releases it.
template <typename T, T* (*Acquire)(T*), void (*Release)(T*)> class CHandle {
public:
    CHandle() = default;
    // Takes over a reference the caller already holds (a create call's result).
    explicit CHandle(T* adopted) : pointer_(adopted) {}
    CHandle(const CHandle& other) : pointer_(other.pointer_ ? Acquire(other.pointer_) : nullptr) {}
    CHandle(CHandle&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    CHandle& operator=(CHandle other) noexcept {
        std::swap(pointer_, other.pointer_);
        return *this;
    }
    ~CHandle() {
        if (pointer_) {
            Release(pointer_);
        }
    }

    T* get() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

private:
    T* pointer_ = nullptr;
};

namespace handles {
template <typename T> T* gobjectRef(T* object) {
    return static_cast<T*>(g_object_ref(object));
}
template <typename T> void gobjectUnref(T* object) {
    g_object_unref(object);
}
inline PangoFontDescription* copyDescription(PangoFontDescription* description) {
    return pango_font_description_copy(description);
}
} // namespace handles

using CairoContext = CHandle<cairo_t, cairo_reference, cairo_destroy>;
using CairoSurface = CHandle<cairo_surface_t, cairo_surface_reference, cairo_surface_destroy>;
using CairoPattern = CHandle<cairo_pattern_t, cairo_pattern_reference, cairo_pattern_destroy>;
using PangoContextHandle =
    CHandle<PangoContext, handles::gobjectRef<PangoContext>, handles::gobjectUnref<PangoContext>>;
using PangoLayoutHandle =
    CHandle<PangoLayout, handles::gobjectRef<PangoLayout>, handles::gobjectUnref<PangoLayout>>;
using PangoFontHandle =
    CHandle<PangoFont, handles::gobjectRef<PangoFont>, handles::gobjectUnref<PangoFont>>;
using PangoFontDescriptionHandle =
    CHandle<PangoFontDescription, handles::copyDescription, pango_font_description_free>;

} // namespace florelle
