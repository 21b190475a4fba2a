#pragma once

#include <QColor>
#include <QWidget>

#include "Theme/HardShadowSurface.h"

class QLayout;

namespace zantiva {

class SurfaceLayout;

// The container of every panel: its content on a padded hard-shadow surface with card corners.
// An interactive card lifts off its shadow while the pointer is over it; its size never changes.
class RetroCard : public QWidget {
    Q_OBJECT
public:
    struct Style {
        qreal padding;
        QColor background;
        QColor shadowColor;
        qreal shadowOffset;
        bool isInteractive;
        // Padding 20, card fill, outline shadow 6 deep, not interactive.
        static Style standard();
    };

    explicit RetroCard(QWidget* parent = nullptr);
    explicit RetroCard(const Style& style, QWidget* parent = nullptr);

    // The card takes ownership of its content; a new content replaces the old one.
    void setContent(QWidget* content);
    void setContent(QLayout* content);

    bool isHovered() const { return hovered_; }
    const HardShadowSurface& surface() const { return surface_; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    SurfaceStyle surfaceStyle() const;

    Style style_;
    bool hovered_ = false;
    HardShadowSurface surface_;
    SurfaceLayout* layout_;
};

} // namespace zantiva
