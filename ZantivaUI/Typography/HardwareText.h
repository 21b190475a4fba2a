#pragma once

#include <QFont>
#include <QLabel>

namespace zantiva {

// A machine-made string (model name, identifier, server text) shown verbatim: plain text in
// a monospaced font (hardwareFont), selectable, and left to right in either interface language.
class HardwareText : public QLabel {
    Q_OBJECT
public:
    HardwareText(const QString& text, qreal pixelSize, QFont::Weight weight, const QColor& color,
                 QWidget* parent = nullptr);
};

} // namespace zantiva
