// Where the demo says why it cannot start: the line of startup_failure.h on
// standard error, after the program's name; on Windows, where the demo has no
// console, also in a message box titled "Quorl", which the viewer closes.
#pragma once

// Returns once the viewer has seen it (the message box is closed).
void SayFailureToStart(const char* line);
