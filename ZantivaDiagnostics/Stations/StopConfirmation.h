#pragma once

#include <QWidget>

#include "Presenters/SuitePresenter.h"


namespace zantiva {

class ProseLabel;
class RetroButton;

// The question before a run is stopped, asked inside the window: a dimming backdrop over the
// whole of its parent with a card in the middle. Clicks on the backdrop reach nothing behind
// it; Escape answers Cancel.
class StopConfirmation : public QWidget {
    Q_OBJECT

public:
    explicit StopConfirmation(QWidget* parent);

    using QWidget::show;
    void show(const StopConfirmationView& view);

    ProseLabel* title() const { return title_; }
    ProseLabel* body() const { return body_; }
    RetroButton* confirmButton() const { return confirm_; }
    RetroButton* cancelButton() const { return cancel_; }

signals:
    void confirmed();
    void cancelled();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    ProseLabel* title_;
    ProseLabel* body_;
    RetroButton* confirm_;
    RetroButton* cancel_;
};

} // namespace zantiva
