// The process-wide requests that signals raise: SIGINT and SIGTERM ask the program to end,
// SIGUSR1 to save its state. The signal handler only raises flags; the editor thread polls them
// in its idle step.
#pragma once

namespace Orvane {

// [main-thread], before any other thread starts: one handler for the three signals.
void installSignalRequestHandler() noexcept;
// [any-thread], and the signal handler.
void raiseCloseRequest() noexcept;
bool isCloseRequested() noexcept;
// [main-thread] Whether a save was asked for since the last call.
bool takeSaveRequest() noexcept;

} // namespace Orvane
