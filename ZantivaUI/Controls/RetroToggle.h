#pragma once

#include "Controls/RetroButton.h"

namespace zantiva {

// An on/off option drawn as a latching push button: while checked its face stays down on the
// shadow in crimson and never lifts; while unchecked it is an outline button. A click flips it.
class RetroToggle : public RetroButton {
    Q_OBJECT
public:
    explicit RetroToggle(const QString& text, RetroButtonSize size = RetroButtonSize::regular, QWidget* parent = nullptr);

protected:
    FaceColors currentColors() const override;
};

} // namespace zantiva
