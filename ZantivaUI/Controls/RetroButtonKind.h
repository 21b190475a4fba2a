#pragma once

#include <QColor>

namespace zantiva {

enum class RetroButtonKind { primary, secondary, outline };

// The fill of a button's face and the colour of its label.
struct FaceColors {
    QColor fill;
    QColor label;

    bool operator==(const FaceColors&) const = default;
};

// primary: crimson with white; secondary: cyan with black; outline: card grey with the text colour.
FaceColors faceColors(RetroButtonKind kind);

} // namespace zantiva
