#pragma once
// The four shapes a button handler takes: the cue always comes first.

#include "handler_context.h"
#include "launch_types.h"
#include "window_id.h"

namespace kr2 {

// "click", then Show `target`.
void ShowWindowAction(HandlerContext& ctx, WindowId target);
// The entry's cue, then the entry run on behalf of the pressed button's window.
void StartEntryAction(HandlerContext& ctx, WindowId own, const LaunchAction& entry);
// "back", then Unload the pressed button's own window.
void CloseOwnWindowAction(HandlerContext& ctx, WindowId own);
// "back", then the whole program ends.
void ExitAction(HandlerContext& ctx);

}  // namespace kr2
