#pragma once

#include "Layout/ModalOverlay.h"

#ifndef Q_MOC_RUN
#include "Presenters/RootPresenter.h"
#endif

class QLabel;
class QPushButton;

namespace zantiva {

class ProseLabel;
class RetroButton;

// The sign-in prompt: the logo, what signing in on the website means, the site's address,
// the button that opens its sign-in page, and two plain buttons: the forgotten-password
// page, and going on without signing in. A click on the backdrop asks to close it too
// (backdropClicked); whoever shows it decides whether that click counts.
class LoginPrompt : public ModalOverlay {
    Q_OBJECT
public:
    static constexpr int contentWidth = 420;

    explicit LoginPrompt(QWidget* parent);

    using QWidget::show;
    void show(const LoginPromptView& view);

    ProseLabel* title() const { return title_; }
    QLabel* domain() const { return domain_; }
    RetroButton* signInButton() const { return signIn_; }
    QPushButton* forgotButton() const { return forgot_; }

signals:
    void signInRequested();
    void forgotPasswordRequested();
    void continueWithoutRequested();

private:
    ProseLabel* title_;
    ProseLabel* body_;
    ProseLabel* siteLabel_;
    QLabel* domain_;
    RetroButton* signIn_;
    QPushButton* forgot_;
    QPushButton* continueWithout_;
};

} // namespace zantiva
