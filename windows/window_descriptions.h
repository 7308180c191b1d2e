#pragma once
// Each window unit's own description and its rows as written;
// DescriptionOf and ControlRowsOf pick them by id.

#include "layout.h"

#define KR2_WINDOW_DESCRIPTION(name) \
    namespace kr2::name {                \
    const WindowSpec& Description();     \
    std::span<const ControlSpec> Rows(); \
    }
KR2_WINDOWS(KR2_WINDOW_DESCRIPTION)
#undef KR2_WINDOW_DESCRIPTION
