#pragma once

#include "Typography/HardwareText.h"

namespace zantiva {

// A machine-made string on one line: at its full size while it fits, smaller down to a floor
// when the width is short, and cut with an ellipsis below that. It asks its layout for the
// room of its full size but makes do with less.
class FittedHardwareText : public HardwareText {
    Q_OBJECT
public:
    // smallestScale: the floor, as a share of pixelSize (1: never smaller, only cut).
    FittedHardwareText(qreal pixelSize, qreal smallestScale, QFont::Weight weight, const QColor& color,
                       QWidget* parent = nullptr);

    const QString& fullText() const { return fullText_; }
    void setFullText(const QString& text);
    // The size the text is drawn at now.
    qreal shownPixelSize() const { return font().pixelSize(); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fit();

    QString fullText_;
    QFont fullFont_;
    qreal smallestScale_;
};

} // namespace zantiva
