#include "Results/ScreenParts.h"

#include <QHBoxLayout>
#include <QScrollArea>
#include <QVBoxLayout>
#include <cmath>

#include "Cards/RetroBadge.h"
#include "Cards/RetroCard.h"
#include "Dashboard/PanelParts.h"
#include "Layout/PageScroll.h"
#include "Presenters/DriveHealthPresenter.h"
#include "Theme/Metric.h"
#include "Theme/Palette.h"
#include "Typography/DirectedText.h"
#include "Typography/Fonts.h"
#include "Typography/HardwareText.h"
#include "Typography/ProseLabel.h"

namespace zantiva::ScreenParts {

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

ProseLabel* prose(TextRole role, PaletteColor color, const QString& text, bool wraps) {
    auto* label = new ProseLabel(role, zantiva::color(color), text);
    label->setWordWrap(wraps);
    return label;
}

QLayout* machine(const QString& text, qreal pixelSize, QFont::Weight weight, double opacity) {
    // The mark keeps a path or model name with Persian letters in it left to right.
    auto* label = new WrappingHardwareText(directedText(text, Qt::LeftToRight), pixelSize, weight,
                                           withOpacity(color(PaletteColor::text), opacity));
    label->setWordWrap(true); // a long adapter name takes two lines rather than widen its card
    return PanelParts::leading(label);
}

QWidget* badge(const BadgeValue& value) {
    // The design system's own badge text, made a ProseLabel so that it keeps its direction.
    auto* word = new ProseLabel(TextRole::label, color(value.foreground), QString::fromStdString(value.text));
    word->setFont(vazirFont(VazirWeight::bold, 12));
    setForeground(*word, color(value.foreground));
    return new RetroBadge(word, color(value.background));
}

QBoxLayout* column(int spacing) {
    auto* layout = new QVBoxLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    return layout;
}

RetroCard* card(QLayout* content, PaletteColor background) {
    RetroCard::Style style = RetroCard::Style::standard();
    style.background = color(background);
    auto* made = new RetroCard(style);
    made->setContent(content);
    return made;
}

QWidget* divider() {
    auto* line = new QWidget;
    line->setFixedHeight(static_cast<int>(Theme::Metric::borderWidth));
    line->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, color(PaletteColor::outline));
    line->setPalette(palette);
    return line;
}

QBoxLayout* page(QWidget& screen) {
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->setSpacing(static_cast<int>(Theme::Metric::spacing));
    auto* outer = new QVBoxLayout(&screen);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(pageScroll(content));
    return layout;
}

} // namespace zantiva::ScreenParts
