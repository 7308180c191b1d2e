#include "picture_resource.h"

#include <cstring>
#include <vector>

#include "platform_failure.h"
#include "owner.h"
#include "packed_bitmap.h"

namespace kr2 {

HBITMAP LoadPackedPicture(HINSTANCE instance, int id) {
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(id), RT_RCDATA);
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = data ? SizeofResource(instance, found) : 0;
    if (size == 0) ThrowLastError();

    std::vector<std::uint8_t> bmp;
    DibParts parts;
    if (!UnpackBitmapFile({static_cast<const std::uint8_t*>(data), size}, bmp) ||
        !FindDibParts(bmp, parts)) {
        SetLastError(ERROR_INVALID_DATA);
        ThrowLastError();
    }
    // The header sits at an odd offset in the file: copied out, aligned. It
    // implies no colour table, so the platform reads no further than the copy.
    BITMAPINFO info{};
    static_assert(sizeof info.bmiHeader == kDibHeaderBytes);
    std::memcpy(&info.bmiHeader, parts.infoHeader, sizeof info.bmiHeader);
    void* bits = nullptr;
    BitmapOwner bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) ThrowLastError();
    std::memcpy(bits, parts.pixels, parts.pixelBytes);
    return bitmap.release();
}

}  // namespace kr2
