#pragma once

#include <QFont>
#include <QString>

#include "Presenters/PaletteColor.h"
#include "Typography/TextRole.h"

class QBoxLayout;
class QLabel;
class QLayout;
class QWidget;

namespace zantiva {

class ProseLabel;
class RetroCard;
struct BadgeValue;

// Small pieces the results and storage screens are built from.
namespace ScreenParts {

// A sentence in a role and palette colour; wrapping ones take several lines, never cut off.
ProseLabel* prose(TextRole role, PaletteColor color, const QString& text, bool wraps = false);
// Machine text (scores, models, paths) in the monospaced font, left to right in both
// languages, at the leading edge of its row, wrapping at its spaces when it is long.
QLayout* machine(const QString& text, qreal pixelSize, QFont::Weight weight, double opacity = 1);
// A pill with its word in its colours, the word in the direction of the layout.
QWidget* badge(const BadgeValue& value);
// A column with the spacing and no margins.
QBoxLayout* column(int spacing);
// A standard card (padding 20, card fill, outline shadow 6) holding the layout.
RetroCard* card(QLayout* content, PaletteColor background = PaletteColor::card);
// A 2-pixel line across the width in the outline colour.
QWidget* divider();
// Fills the screen with a vertically scrolling page and returns the page's column: padded
// 24 all round, 16 apart, the scroll bar shown while the content is taller than the window.
QBoxLayout* page(QWidget& screen);

} // namespace ScreenParts
} // namespace zantiva
