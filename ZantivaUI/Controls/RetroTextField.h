#pragma once

#include <QWidget>

#include "Theme/HardShadowSurface.h"

class QLineEdit;

namespace zantiva {

// The single-line text entry: a flat muted face while idle; with keyboard focus the card colour,
// lifted 2 pixels above a visible 4-pixel black shadow. A click anywhere on it, padding
// included, puts the caret in the field. The placeholder is shown as given (already localised).
class RetroTextField : public QWidget {
    Q_OBJECT
public:
    // forceLeftToRight: the text and caret run left to right in either interface language.
    RetroTextField(const QString& placeholder, bool forceLeftToRight, QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);
    bool isFocused() const { return focused_; }
    QLineEdit* lineEdit() const { return edit_; }
    const HardShadowSurface& surface() const { return surface_; }

signals:
    // Each edit, keystroke by keystroke.
    void textChanged(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    SurfaceStyle surfaceStyle() const;

    bool focused_ = false;
    HardShadowSurface surface_;
    QLineEdit* edit_;
};

} // namespace zantiva
