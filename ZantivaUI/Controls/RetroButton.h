#pragma once

#include <QAbstractButton>

#include "Controls/RetroButtonKind.h"
#include "Controls/RetroButtonSize.h"
#include "Theme/HardShadowSurface.h"

namespace zantiva {

// The push button of the interface: a flat face with a 2-pixel border on a 4-pixel hard shadow.
// It lifts 2 pixels under the pointer, sinks onto its shadow while held (or while a checkable
// button is checked), and is drawn at 0.45 opacity without any lift while disabled. The whole
// frame, padding and shadow room included, takes clicks; a long label wraps onto centred lines.
// In a right-to-left button a label with a Persian letter reads right to left, its figures and
// names kept left to right (directedText); any other label is machine text, left to right.
class RetroButton : public QAbstractButton {
    Q_OBJECT
public:
    RetroButton(const QString& text, RetroButtonKind kind, RetroButtonSize size, QWidget* parent = nullptr);
    RetroButton(const QString& text, RetroButtonKind kind, bool compact, QWidget* parent = nullptr);

    RetroButtonKind kind() const { return kind_; }
    void setKind(RetroButtonKind kind);
    const RetroButtonSize& buttonSize() const { return size_; }

    bool isHovered() const { return hovered_; }
    // Held down, or checked.
    bool isShownPressed() const { return isDown() || isChecked(); }
    qreal lift() const;
    const HardShadowSurface& surface() const { return surface_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    virtual FaceColors currentColors() const { return faceColors(kind_); }
    // Takes the face's look from the current state; derived classes call it when theirs changes.
    void refresh();

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    SurfaceStyle surfaceStyle() const;
    Qt::LayoutDirection labelDirection() const;
    QString laidOutLabel() const;
    QSize around(const QSize& label) const;

    RetroButtonKind kind_;
    RetroButtonSize size_;
    bool hovered_ = false;
    HardShadowSurface surface_;
};

} // namespace zantiva
