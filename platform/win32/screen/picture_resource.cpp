#include "picture_resource.h"

#include <cstring>
#include <vector>

#include "platform_failure.h"
#include "owner.h"
#include "packed_bitmap.h"

namespace kr2 {

HBITMAP LoadPackedPicture(HINSTANCE instance, int id) {
    HRSRC found = Checked(FindResourceW, instance, MAKEINTRESOURCEW(id), RT_RCDATA);
    const void* data = Checked(LockResource, Checked(LoadResource, instance, found));
    const DWORD size = Checked(SizeofResource, instance, found);

    std::vector<std::uint8_t> bmp;
    DibParts parts;
    if (!UnpackBitmapFile({static_cast<const std::uint8_t*>(data), size}, bmp) ||
        !FindDibParts(bmp, parts)) {
        ThrowPlatformError(ERROR_INVALID_DATA);
    }
    // The header sits at an odd offset in the file: copied out, aligned. It
    // implies no colour table, so the platform reads no further than the copy.
    BITMAPINFO info{};
    static_assert(sizeof info.bmiHeader == kDibHeaderBytes);
    std::memcpy(&info.bmiHeader, parts.infoHeader, sizeof info.bmiHeader);
    void* bits = nullptr;
    BitmapOwner bitmap(Checked(CreateDIBSection, nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bits) ThrowLastError();
    std::memcpy(bits, parts.pixels, parts.pixelBytes);
    return bitmap.release();
}

}  // namespace kr2
