#include "run_launch_action.h"

namespace kr2 {
namespace {

// The run-time error box for a failure nothing caught, then the end.
void ReportAndEnd(const LaunchError& error, const LaunchPorts& ports) {
    ports.errorBox.ShowRunTimeError(error);
    ports.end.EndProgram();
}

}  // namespace

void RunLaunchAction(const LaunchAction& entry, OwnerWindow& window, const LaunchPorts& ports) {
    const LaunchResult first = ports.launcher.LaunchProcess(entry.commandLine, entry.showState);
    if (!first.started) {
        switch (entry.errorPolicy) {
            case ErrorPolicy::IgnoreErrors:
                break;  // the follow-up runs exactly as after a success
            case ErrorPolicy::FallbackThenEnd: {
                const LaunchResult fallback =
                    ports.launcher.LaunchProcess(entry.fallbackCommandLine, entry.showState);
                if (!fallback.started) {
                    ReportAndEnd(fallback.error, ports);
                    return;
                }
                ports.end.EndProgram();
                return;
            }
            case ErrorPolicy::Unhandled:
                ReportAndEnd(first.error, ports);
                return;
        }
    }

    switch (entry.followUp) {
        case FollowUp::EndProgram: ports.end.EndProgram(); break;
        case FollowUp::CloseWindow: window.Unload(); break;
        case FollowUp::Stay: break;
    }
}

}  // namespace kr2
