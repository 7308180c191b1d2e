#include "screen_pixels.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "packed_bitmap.h"

namespace kr2::e2e {
namespace {

// A 32-bit top-down DIB section the size of `p`, selected into a memory DC.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        if (dc_ && bitmap_) old_ = SelectObject(dc_, bitmap_);
    }
    ~Canvas() {
        if (old_) SelectObject(dc_, old_);
        if (bitmap_) DeleteObject(bitmap_);
        if (dc_) DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    bool Ready() const { return old_ != nullptr; }
    HDC dc() const { return dc_; }
    Pixels Read() const {
        GdiFlush();
        Pixels p{width_, height_, {}};
        const auto* src = static_cast<const std::uint32_t*>(bits_);
        p.rgb.assign(src, src + static_cast<std::size_t>(width_) * height_);
        for (std::uint32_t& v : p.rgb) v &= 0x00FFFFFF;
        return p;
    }

private:
    int width_, height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    void* bits_ = nullptr;
};

int Channel(std::uint32_t v, int shift) { return static_cast<int>((v >> shift) & 0xFF); }

// The launcher keeps its picture as a packed .bmp in RCDATA; expanded here
// by the launcher's own decoder.
HBITMAP PackedBitmapResource(HMODULE module, int id) {
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), RT_RCDATA);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const auto* data = static_cast<const std::uint8_t*>(loaded ? LockResource(loaded) : nullptr);
    std::vector<std::uint8_t> bmp;
    DibParts parts;
    if (!data || !UnpackBitmapFile({data, SizeofResource(module, found)}, bmp) || !FindDibParts(bmp, parts))
        return nullptr;
    BITMAPINFO info{};
    std::memcpy(&info.bmiHeader, parts.infoHeader, sizeof info.bmiHeader);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits) std::memcpy(bits, parts.pixels, parts.pixelBytes);
    return bitmap;
}

}  // namespace

Pixels CaptureScreen(const RECT& rect) {
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    Canvas canvas(width, height);
    HDC screen = GetDC(nullptr);
    if (canvas.Ready() && screen) BitBlt(canvas.dc(), 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    if (screen) ReleaseDC(nullptr, screen);
    return canvas.Read();
}

std::optional<Pixels> BitmapResource(HMODULE module, int id) {
    auto bitmap = static_cast<HBITMAP>(
        LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap) bitmap = PackedBitmapResource(module, id);
    if (!bitmap) return std::nullopt;
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    Canvas canvas(info.bmWidth, info.bmHeight);
    HDC source = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(source, bitmap);
    if (canvas.Ready()) BitBlt(canvas.dc(), 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
    DeleteObject(bitmap);
    return canvas.Read();
}

std::optional<Pixels> IconResource(HMODULE module, int id, int size, COLORREF background) {
    auto icon = static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0));
    if (!icon) return std::nullopt;
    Canvas canvas(size, size);
    if (canvas.Ready()) {
        HBRUSH brush = CreateSolidBrush(background);
        const RECT all{0, 0, size, size};
        FillRect(canvas.dc(), &all, brush);
        DeleteObject(brush);
        DrawIconEx(canvas.dc(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    }
    DestroyIcon(icon);
    return canvas.Read();
}

double MeanDifference(const Pixels& seen, const Pixels& source, double scale, int width, int height) {
    width = std::min(width, seen.width);
    height = std::min(height, seen.height);
    if (width <= 0 || height <= 0 || source.width == 0) return 255.0;
    long long total = 0;
    for (int y = 0; y < height; ++y) {
        const int sy = std::min(static_cast<int>(y / scale), source.height - 1);
        for (int x = 0; x < width; ++x) {
            const int sx = std::min(static_cast<int>(x / scale), source.width - 1);
            const std::uint32_t a = seen.At(x, y), b = source.At(sx, sy);
            for (int shift : {0, 8, 16}) total += std::abs(Channel(a, shift) - Channel(b, shift));
        }
    }
    return static_cast<double>(total) / (3.0 * width * height);
}

}  // namespace kr2::e2e
