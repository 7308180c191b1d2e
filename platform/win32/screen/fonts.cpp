#include "fonts.h"

#include <cwchar>
#include <iterator>

#include "platform_failure.h"
#include "layout.h"

namespace kr2 {
namespace {

constexpr wchar_t kFace[] = L"MS Sans Serif";
static_assert(kFontFace == kFace);

HFONT MakeFace(const wchar_t* face, UINT dpi, int weight) {
    return Checked(CreateFontW, -FontPixelHeight(static_cast<int>(dpi)), 0, 0, 0, weight, FALSE, FALSE, FALSE,
                   ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                   DEFAULT_PITCH | FF_DONTCARE, face);
}

// What the platform made of a font request: the face it chose, the weight
// it draws and the width of a sample.
struct Realized {
    wchar_t face[LF_FACESIZE];
    LONG weight;
    LONG width;
};

Realized Realize(HDC dc, HFONT font) {
    static constexpr wchar_t kSample[] = L"Kestrane";
    Realized r{};
    const Selection selected(dc, font);
    TEXTMETRICW tm{};
    SIZE size{};
    GetTextFaceW(dc, LF_FACESIZE, r.face);
    if (GetTextMetricsW(dc, &tm)) r.weight = tm.tmWeight;
    if (GetTextExtentPoint32W(dc, kSample, static_cast<int>(std::size(kSample)) - 1, &size)) r.width = size.cx;
    return r;
}

// MS Sans Serif is a bitmap font with a few sizes, made bold by the
// platform's simulation, and a system may give another face or no bold for
// the request. Then a face of the same design that has a bold at this size
// takes its place: Microsoft Sans Serif (the TrueType of the same design),
// else the face the platform maps its dialog font to. A face counts when the
// platform gives that face itself, at a bold weight, and its bold caption is
// wider than its regular one; the last candidate is kept in any case.
HFONT MakeBold(UINT dpi) {
    static constexpr const wchar_t* kCandidates[] = {kFace, L"Microsoft Sans Serif", L"MS Shell Dlg"};
    const MemoryDc dc(CreateCompatibleDC(nullptr));
    // With nothing to measure in, the first candidate as it is asked for.
    if (!dc) return MakeFace(kFace, dpi, kWeightBold);
    for (const wchar_t* face : kCandidates) {
        FontOwner bold(MakeFace(face, dpi, kWeightBold));
        if (face == kCandidates[std::size(kCandidates) - 1]) return bold.release();
        const FontOwner regular(MakeFace(face, dpi, kWeightRegular));
        const Realized r = Realize(dc.get(), regular.get());
        const Realized b = Realize(dc.get(), bold.get());
        if (_wcsicmp(b.face, face) == 0 && b.weight >= FW_SEMIBOLD && b.width > r.width) return bold.release();
    }
    return nullptr;  // not reached: the last candidate is returned above
}

}  // namespace

HFONT Fonts::Get(UINT dpi, bool bold) {
    for (const Made& m : made_) {
        if (m.dpi == dpi && m.bold == bold) return m.font.get();
    }
    FontOwner font(bold ? MakeBold(dpi) : MakeFace(kFace, dpi, kWeightRegular));
    made_.push_back({dpi, bold, std::move(font)});
    return made_.back().font.get();
}

}  // namespace kr2
