#pragma once

#include "Controls/RetroButton.h"

namespace zantiva {

// A push button whose label reads in the direction of the button's layout. The button draws
// its label on a layer of its own, always left to right, so a Persian label that ends with a
// Latin word ("… SSD") came out with its words in the wrong order; the label is isolated
// right to left in right-to-left layout, again whenever the direction changes.
class ProseButton : public RetroButton {
    Q_OBJECT
public:
    ProseButton(RetroButtonKind kind, RetroButtonSize size, QWidget* parent = nullptr);

    // The label as given, without the marks.
    const QString& prose() const { return prose_; }
    void setProse(const QString& text);

protected:
    void changeEvent(QEvent* event) override;

private:
    void applyDirection();

    QString prose_;
};

} // namespace zantiva
