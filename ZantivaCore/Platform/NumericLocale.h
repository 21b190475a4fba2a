#pragma once

namespace zantiva {

// Puts the C library's numbers back in POSIX form (LC_NUMERIC "C") while every other part of
// the user's locale stays. Qt's application object adopts the whole locale, and with it a
// decimal point such as "٫" that the JSON reader and writer then follow: stored records, the
// CSV and the helper programs' lines are machine text. Call it right after making the
// application object.
void keepNumbersPosix();

} // namespace zantiva
