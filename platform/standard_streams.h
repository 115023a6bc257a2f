#pragma once

namespace vintrel::platform {

// Puts standard input and output into binary mode, so that a program reads
// and writes the same bytes on every system. Windows' C runtime otherwise
// writes "\n" as "\r\n", drops "\r" from what it reads and stops reading at
// a ^Z byte; elsewhere this does nothing. Call it before any input or output.
void useBinaryStandardStreams();

}  // namespace vintrel::platform
