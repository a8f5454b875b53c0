// SPDX-License-Identifier: GPL-3.0-or-later
#include "Image.h"

#include "ImageDecoder.h"
#include "foundation/Bundle.h"
#include "foundation/Log.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <mutex>
#include <vector>

namespace florelle {

namespace {

bool isQuarterTurned(ImageOrientation orientation) {
    switch (orientation) {
    case ImageOrientation::Left:
    case ImageOrientation::Right:
    case ImageOrientation::LeftMirrored:
    case ImageOrientation::RightMirrored:
        return true;
    default:
        return false;
    }
}

std::optional<std::vector<std::uint8_t>> readFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file),
                                    std::istreambuf_iterator<char>()};
    if (file.bad()) {
        return std::nullopt;
    }
    return bytes;
}

Image load(std::string_view name) {
    std::string_view stem = name;
    std::string_view type = "png";
    auto dot = name.rfind('.');
    if (dot != std::string_view::npos && name.find('/', dot) == std::string_view::npos) {
        stem = name.substr(0, dot);
        type = name.substr(dot + 1);
    }
    if (auto path = Bundle::pathForResource(std::string(stem) + "@2x", type)) {
        return Image::fromFile(*path, 2);
    }
    if (auto path = Bundle::pathForResource(stem, type)) {
        return Image::fromFile(*path, 1);
    }
    Log::write("Picture \"" + std::string(name) + "\" is missing from " +
               Bundle::resourceDirectory().string());
    return {};
}

} // namespace

Image Image::named(std::string_view name) {
    static std::mutex mutex;
    static std::map<std::string, Image, std::less<>> cache;
    // Keyed by folder too, so that a different resource folder is looked up afresh.
    std::string key = (Bundle::resourceDirectory() / std::string(name)).string();
    std::lock_guard lock(mutex);
    if (auto found = cache.find(key); found != cache.end()) {
        return found->second;
    }
    return cache.emplace(std::move(key), load(name)).first->second;
}

Image Image::fromFile(const std::filesystem::path& path, double scale) {
    auto bytes = readFile(path);
    if (!bytes) {
        Log::write("Picture file \"" + path.string() + "\" cannot be read");
        return {};
    }
    std::string error;
    CairoSurface surface = ImageDecoder::decode(*bytes, error);
    if (!surface) {
        Log::write("Picture file \"" + path.string() + "\" is not usable: " + error);
        return {};
    }
    return fromSurface(std::move(surface), scale);
}

Image Image::fromSurface(CairoSurface surface, double scale) {
    Image image;
    if (!surface || cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS ||
        cairo_image_surface_get_format(surface.get()) != CAIRO_FORMAT_ARGB32) {
        return image;
    }
    image.surface_ = std::move(surface);
    image.scale_ = scale > 0 && std::isfinite(scale) ? scale : 1;
    return image;
}

int Image::pixelWidth() const {
    return surface_ ? cairo_image_surface_get_width(surface_.get()) : 0;
}

int Image::pixelHeight() const {
    return surface_ ? cairo_image_surface_get_height(surface_.get()) : 0;
}

Size Image::size() const {
    Size stored{pixelWidth() / scale_, pixelHeight() / scale_};
    return isQuarterTurned(orientation_) ? Size{stored.height, stored.width} : stored;
}

Image Image::withOrientation(ImageOrientation orientation) const {
    Image image = *this;
    image.orientation_ = orientation;
    return image;
}

Image Image::withScale(double scale) const {
    Image image = *this;
    if (scale > 0 && std::isfinite(scale)) {
        image.scale_ = scale;
    }
    return image;
}

Image Image::stretchable(double leftCapWidth, double topCapHeight) const {
    Image image = *this;
    image.leftCapWidth_ = std::max(0.0, leftCapWidth);
    image.topCapHeight_ = std::max(0.0, topCapHeight);
    return image;
}

Image Image::alphaFromLuminance() const {
    if (isEmpty()) {
        return *this;
    }
    int width = pixelWidth();
    int height = pixelHeight();
    CairoSurface mask(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
    cairo_surface_flush(surface_.get());
    cairo_surface_flush(mask.get());
    const unsigned char* from = cairo_image_surface_get_data(surface_.get());
    unsigned char* to = cairo_image_surface_get_data(mask.get());
    int fromStride = cairo_image_surface_get_stride(surface_.get());
    int toStride = cairo_image_surface_get_stride(mask.get());
    for (int y = 0; y < height; ++y) {
        auto* source = reinterpret_cast<const std::uint32_t*>(from + y * fromStride);
        auto* target = reinterpret_cast<std::uint32_t*>(to + y * toStride);
        for (int x = 0; x < width; ++x) {
            std::uint32_t pixel = source[x];
            // Premultiplied components: their luminance already carries the alpha.
            double red = (pixel >> 16) & 0xFF;
            double green = (pixel >> 8) & 0xFF;
            double blue = pixel & 0xFF;
            auto level = static_cast<std::uint32_t>(
                std::clamp(std::lround(0.299 * red + 0.587 * green + 0.114 * blue), 0L, 255L));
            target[x] = (level << 24) | (level << 16) | (level << 8) | level;
        }
    }
    cairo_surface_mark_dirty(mask.get());
    Image image = *this;
    image.surface_ = std::move(mask);
    return image;
}

bool operator==(const Image& left, const Image& right) {
    return left.surface() == right.surface() && left.scale_ == right.scale_ &&
           left.orientation_ == right.orientation_ && left.leftCapWidth_ == right.leftCapWidth_ &&
           left.topCapHeight_ == right.topCapHeight_;
}

} // namespace florelle
