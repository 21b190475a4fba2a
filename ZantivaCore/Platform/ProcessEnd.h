#pragma once

namespace zantiva {

// Ends the process with `status` once main's own objects are gone: what the C and C++ streams
// still hold is written, but the libraries' static destructors don't run. Qt Multimedia 6.4
// takes its sound-server connection down in one of them without the lock of the thread that
// serves it, and libpulse aborts the process when a message from the server (a device that
// changed, an answer) arrives at that moment; the kernel closes the connection instead.
[[noreturn]] void endProcess(int status);

} // namespace zantiva
