#pragma once

#include <QColor>
#include <QTimer>
#include <QWidget>

namespace zantiva {

// The indeterminate bar: a tinted block sweeping from left to right in both layout directions,
// placed by the wall clock so every activity bar on screen moves in step.
class RetroActivityBar : public QWidget {
    Q_OBJECT
public:
    explicit RetroActivityBar(const QColor& tint, QWidget* parent = nullptr);

    // Whether it is redrawing (only while shown).
    bool isRunning() const { return frames_.isActive(); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QColor tint_;
    QTimer frames_;
};

} // namespace zantiva
