// The process-wide request to end the program, raised by SIGINT and SIGTERM. The signal handler
// only raises the flag; the editor thread polls it in its idle step.
#pragma once

namespace Orvane {

// Main thread, before any other thread starts: one handler for both signals.
void installCloseRequestHandler() noexcept;
// Any thread, and the signal handler.
void raiseCloseRequest() noexcept;
bool isCloseRequested() noexcept;

} // namespace Orvane
