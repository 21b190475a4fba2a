#include "Cards/CardAround.h"

#include "Cards/RetroCard.h"
#include "Theme/Palette.h"

namespace zantiva {

RetroCard* cardAround(QLayout* content, PaletteColor background, double padding) {
    RetroCard::Style style = RetroCard::Style::standard();
    style.padding = padding;
    style.background = color(background);
    auto* made = new RetroCard(style);
    made->setContent(content);
    return made;
}

} // namespace zantiva
