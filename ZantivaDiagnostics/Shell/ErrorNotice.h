#pragma once

#include "Layout/ModalOverlay.h"

#ifndef Q_MOC_RUN
#include "Presenters/RootPresenter.h"
#endif

class QTextEdit;

namespace zantiva {

class ProseLabel;
class RetroButton;

// The notice of an exception nobody caught: its title, the text with the exception's words
// in full (plain text the user can select and copy), and Continue. However long the text, the
// card stays inside the window and the text scrolls inside it, so Continue is always there.
// A click on the backdrop does nothing.
class ErrorNotice : public ModalOverlay {
    Q_OBJECT
public:
    static constexpr int contentWidth = 460;

    explicit ErrorNotice(QWidget* parent);

    using QWidget::show;
    void show(const ErrorNoticeView& view);

    ProseLabel* title() const { return title_; }
    QTextEdit* body() const { return body_; }
    RetroButton* continueButton() const { return continue_; }

signals:
    void continueRequested();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitBody();

    ProseLabel* title_;
    QTextEdit* body_;
    RetroButton* continue_;
    int bodyHeight_ = 0; // the whole text's, laid out at the content width
};

} // namespace zantiva
