#include "button_actions.h"

#include "window_registry.h"

namespace kr2 {
namespace {

// What CloseWindow unloads: the window that owned the pressed button.
class RegistryOwner final : public OwnerWindow {
public:
    RegistryOwner(WindowRegistry& registry, WindowId id) : registry_(registry), id_(id) {}
    void Unload() override { registry_.Unload(id_); }

private:
    WindowRegistry& registry_;
    WindowId id_;
};

}  // namespace

void ShowWindowAction(HandlerContext& ctx, WindowId target) {
    PlayCue(SoundCue::Click, ctx.sound);
    ctx.registry.Show(target);
}

void StartEntryAction(HandlerContext& ctx, WindowId own, const LaunchAction& entry) {
    RegistryOwner owner(ctx.registry, own);
    PlayCue(entry.cue, ctx.sound);
    RunLaunchAction(entry, owner, ctx.launch);
}

void CloseOwnWindowAction(HandlerContext& ctx, WindowId own) {
    PlayCue(SoundCue::Back, ctx.sound);
    ctx.registry.Unload(own);
}

void ExitAction(HandlerContext& ctx) {
    PlayCue(SoundCue::Back, ctx.sound);
    ctx.registry.EndProgram();  // the real end never returns; nothing follows it here
}

}  // namespace kr2
