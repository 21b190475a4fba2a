#include "Layout/MachineLine.h"

#include <QFontMetricsF>
#include <cmath>

#include "Layout/LeadingRow.h"
#include "Theme/Palette.h"
#include "Typography/DirectedText.h"
#include "Typography/HardwareText.h"

namespace zantiva {

namespace {

// Machine text that keeps to one line while its row has the room and wraps at its spaces
// only when it hasn't (a word-wrapped label would otherwise ask for a narrow column).
class WrappingHardwareText final : public HardwareText {
public:
    using HardwareText::HardwareText;

    QSize sizeHint() const override {
        // The selectable text lays out in fractions of a pixel and keeps room for its cursor.
        constexpr int cursorRoom = 2;
        const QMargins margins = contentsMargins();
        const int width = static_cast<int>(std::ceil(QFontMetricsF(font()).horizontalAdvance(text()))) + cursorRoom +
                          margins.left() + margins.right() + 2 * margin();
        return {width, heightForWidth(width)};
    }
};

} // namespace

QLayout* machineLine(const QString& text, qreal pixelSize, QFont::Weight weight, double opacity) {
    // The mark keeps a path or model name with Persian letters in it left to right.
    auto* label = new WrappingHardwareText(directedText(text, Qt::LeftToRight), pixelSize, weight,
                                           withOpacity(color(PaletteColor::text), opacity));
    label->setWordWrap(true); // a long adapter name takes two lines rather than widen its card
    return leadingRow(label);
}

} // namespace zantiva
