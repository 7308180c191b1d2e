#pragma once
// Each window unit's own description; DescriptionOf picks one by id.

#include "layout.h"

#define KR2_WINDOW_DESCRIPTION(name) \
    namespace kr2::name {                \
    const WindowSpec& Description();     \
    }
KR2_WINDOWS(KR2_WINDOW_DESCRIPTION)
#undef KR2_WINDOW_DESCRIPTION
