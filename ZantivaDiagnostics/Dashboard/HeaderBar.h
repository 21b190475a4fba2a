#pragma once

#include <QWidget>

#ifndef Q_MOC_RUN
#include "Presenters/HeaderPresenter.h"
#endif

class QLabel;
class QToolButton;

namespace zantiva {

class LanguageSwitch;
class RetroButton;
class ZantivaLogo;

// The 56-pixel strip above every screen: the logo with its caption, the language switch,
// and the sign-in button or, while signed in, the account refresh and sign-out buttons.
// It reads left to right in both languages, logo on the left; a 2-pixel rule closes it.
class HeaderBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int barHeight = 56;

    explicit HeaderBar(QWidget* parent = nullptr);

    using QWidget::show;
    void show(const HeaderView& view);

    ZantivaLogo* logo() const { return logo_; }
    QLabel* caption() const { return caption_; }
    LanguageSwitch* languageSwitch() const { return language_; }
    RetroButton* signInButton() const { return signIn_; }
    QToolButton* refreshButton() const { return refresh_; }
    RetroButton* signOutButton() const { return signOut_; }

signals:
    void languageSelected(zantiva::AppLanguage language);
    void signInRequested();
    void refreshRequested();
    void signOutRequested();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ZantivaLogo* logo_;
    QLabel* caption_;
    LanguageSwitch* language_;
    RetroButton* signIn_;
    QToolButton* refresh_;
    RetroButton* signOut_;
};

} // namespace zantiva
