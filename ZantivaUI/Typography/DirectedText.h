#pragma once

#include <QString>

namespace zantiva {

// Whether the text holds a right-to-left letter (Persian, Arabic, Hebrew).
bool holdsRightToLeftLetter(const QString& text);

// A sentence of the interface language as it must be laid out in that direction. Qt would
// take a text's direction from its first strong letter, so a Persian sentence that opens with
// a Latin word ("SSD …") flipped to left to right; and inside right-to-left text the
// bidirectional rules turn "94°C" into "C°94" and run neighbouring numbers together. The text
// is therefore marked with its direction, every line of it, and, right to left, each run of
// Latin letters and digits (a number with its unit, a product name, an address) is isolated
// left to right.
QString directedText(const QString& text, Qt::LayoutDirection direction);

} // namespace zantiva
