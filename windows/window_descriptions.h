#pragma once
// Each window unit's own description; DescriptionOf picks one by id.

#include "layout.h"

namespace kr2::frmMain { const WindowSpec& Description(); }
namespace kr2::Games { const WindowSpec& Description(); }
namespace kr2::Options { const WindowSpec& Description(); }
namespace kr2::spmaps { const WindowSpec& Description(); }
namespace kr2::frmAbout { const WindowSpec& Description(); }
