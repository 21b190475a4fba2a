#include "Controls/RetroToggle.h"

#include "Theme/Palette.h"

namespace zantiva {

RetroToggle::RetroToggle(const QString& text, RetroButtonSize size, QWidget* parent)
    : RetroButton(text, RetroButtonKind::outline, size, parent) {
    setCheckable(true);
    refresh();
}

FaceColors RetroToggle::currentColors() const {
    if (isChecked()) return {color(PaletteColor::primary), color(PaletteColor::onPrimary)};
    return faceColors(RetroButtonKind::outline);
}

} // namespace zantiva
