// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageDecoder.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <turbojpeg.h>

namespace florelle {

namespace {

bool startsWith(std::span<const std::uint8_t> bytes, std::initializer_list<std::uint8_t> prefix) {
    return bytes.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), bytes.begin());
}

struct ByteReader {
    std::span<const std::uint8_t> bytes;
    std::size_t offset = 0;
};

cairo_status_t readBytes(void* closure, unsigned char* data, unsigned int length) {
    auto* reader = static_cast<ByteReader*>(closure);
    if (reader->bytes.size() - reader->offset < length) {
        return CAIRO_STATUS_READ_ERROR;
    }
    std::memcpy(data, reader->bytes.data() + reader->offset, length);
    reader->offset += length;
    return CAIRO_STATUS_SUCCESS;
}

// Big-endian 32-bit number at offset (PNG header fields).
std::uint32_t bigEndian32(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return (std::uint32_t(bytes[offset]) << 24) | (std::uint32_t(bytes[offset + 1]) << 16) |
           (std::uint32_t(bytes[offset + 2]) << 8) | std::uint32_t(bytes[offset + 3]);
}

struct JpegHandleDeleter {
    void operator()(void* handle) const { tjDestroy(handle); }
};

// Other surface formats the PNG reader may return are drawn into ARGB32, the
// one format the rest of the layer reads.
CairoSurface toArgb(CairoSurface surface) {
    if (cairo_image_surface_get_format(surface.get()) == CAIRO_FORMAT_ARGB32) {
        return surface;
    }
    CairoSurface converted(cairo_image_surface_create(
        CAIRO_FORMAT_ARGB32, cairo_image_surface_get_width(surface.get()),
        cairo_image_surface_get_height(surface.get())));
    CairoContext cairo(cairo_create(converted.get()));
    cairo_set_source_surface(cairo.get(), surface.get(), 0, 0);
    cairo_paint(cairo.get());
    cairo_surface_flush(converted.get());
    return converted;
}

} // namespace

CairoSurface ImageDecoder::decode(std::span<const std::uint8_t> bytes, std::string& error) {
    if (startsWith(bytes, {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'})) {
        return decodePng(bytes, error);
    }
    if (startsWith(bytes, {0xFF, 0xD8, 0xFF})) {
        return decodeJpeg(bytes, error);
    }
    error = "neither PNG nor JPEG";
    return {};
}

CairoSurface ImageDecoder::decodePng(std::span<const std::uint8_t> bytes, std::string& error) {
    // Signature (8), chunk length (4), "IHDR" (4), width (4), height (4).
    if (bytes.size() < 24) {
        error = "truncated PNG header";
        return {};
    }
    std::uint32_t width = bigEndian32(bytes, 16);
    std::uint32_t height = bigEndian32(bytes, 20);
    if (width > maximumSide || height > maximumSide) {
        error = "picture larger than " + std::to_string(maximumSide) + " pixels";
        return {};
    }
    ByteReader reader{bytes};
    CairoSurface surface(cairo_image_surface_create_from_png_stream(readBytes, &reader));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
        error = cairo_status_to_string(cairo_surface_status(surface.get()));
        return {};
    }
    return toArgb(std::move(surface));
}

CairoSurface ImageDecoder::decodeJpeg(std::span<const std::uint8_t> bytes, std::string& error) {
    std::unique_ptr<void, JpegHandleDeleter> decoder(tjInitDecompress());
    if (!decoder) {
        error = "JPEG decoder unavailable";
        return {};
    }
    int width = 0;
    int height = 0;
    int subsampling = 0;
    int colorspace = 0;
    auto* data = const_cast<unsigned char*>(bytes.data());
    auto size = static_cast<unsigned long>(bytes.size());
    if (tjDecompressHeader3(decoder.get(), data, size, &width, &height, &subsampling,
                            &colorspace) != 0) {
        error = tjGetErrorStr2(decoder.get());
        return {};
    }
    if (width <= 0 || height <= 0 || width > maximumSide || height > maximumSide) {
        error = "picture larger than " + std::to_string(maximumSide) + " pixels";
        return {};
    }
    CairoSurface surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
        error = cairo_status_to_string(cairo_surface_status(surface.get()));
        return {};
    }
    cairo_surface_flush(surface.get());
    // ARGB32 is one native-endian word per pixel; the alpha byte comes out opaque.
    constexpr int pixelFormat = std::endian::native == std::endian::little ? TJPF_BGRA : TJPF_ARGB;
    if (tjDecompress2(decoder.get(), data, size, cairo_image_surface_get_data(surface.get()), width,
                      cairo_image_surface_get_stride(surface.get()), height, pixelFormat, 0) != 0 &&
        tjGetErrorCode(decoder.get()) == TJERR_FATAL) {
        error = tjGetErrorStr2(decoder.get());
        return {};
    }
    cairo_surface_mark_dirty(surface.get());
    return surface;
}

} // namespace florelle
