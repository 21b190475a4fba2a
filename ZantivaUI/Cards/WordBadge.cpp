#include "Cards/WordBadge.h"

#include "Cards/RetroBadge.h"
#include "Theme/Palette.h"
#include "Typography/Fonts.h"
#include "Typography/ProseLabel.h"

namespace zantiva {

RetroBadge* wordBadge(const QString& word, PaletteColor background, PaletteColor foreground) {
    // The design system's own badge text, made a ProseLabel so that it keeps its direction.
    auto* label = new ProseLabel(TextRole::label, color(foreground), word);
    label->setFont(vazirFont(VazirWeight::bold, 12));
    setForeground(*label, color(foreground));
    return new RetroBadge(label, color(background));
}

} // namespace zantiva
