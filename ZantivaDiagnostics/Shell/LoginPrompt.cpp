#include "Shell/LoginPrompt.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "Charts/ZantivaLogo.h"
#include "Controls/ButtonText.h"
#include "Controls/RetroButton.h"
#include "Theme/Palette.h"
#include "Typography/Fonts.h"
#include "Typography/HardwareText.h"
#include "Typography/ProseLabel.h"
#include "Typography/RoleProse.h"

namespace zantiva {
namespace {

constexpr qreal logoHeight = 44;

// A button drawn as its words alone, dimmed a little.
QPushButton* plainButton() {
    auto* button = new QPushButton;
    button->setFlat(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setFont(vazirFont(VazirWeight::semiBold, 12));
    QPalette palette = button->palette();
    palette.setColor(QPalette::ButtonText, withOpacity(color(PaletteColor::text), 0.75));
    button->setPalette(palette);
    return button;
}

} // namespace

LoginPrompt::LoginPrompt(QWidget* parent)
    : ModalOverlay(parent), title_(wrappedLabel(TextRole::header, color(PaletteColor::text))),
      body_(wrappedLabel(TextRole::body, color(PaletteColor::text))),
      siteLabel_(proseLabel(TextRole::label, color(PaletteColor::text))),
      domain_(new HardwareText({}, 13, QFont::Bold, color(PaletteColor::text))),
      signIn_(new RetroButton({}, RetroButtonKind::primary, RetroButtonSize::regular)), forgot_(plainButton()),
      continueWithout_(plainButton()) {
    auto* site = new QHBoxLayout;
    site->setSpacing(8);
    site->addWidget(siteLabel_, 0, Qt::AlignVCenter);
    site->addWidget(domain_, 0, Qt::AlignVCenter);
    site->addStretch();

    auto* others = new QHBoxLayout;
    others->setSpacing(16);
    others->addWidget(forgot_, 0, Qt::AlignVCenter);
    others->addWidget(continueWithout_, 0, Qt::AlignVCenter);
    others->addStretch();

    auto* content = new QWidget;
    content->setFixedWidth(contentWidth);
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(14);
    column->addWidget(new ZantivaLogo(logoHeight), 0, Qt::AlignLeft);
    column->addWidget(title_);
    column->addWidget(body_);
    column->addLayout(site);
    column->addWidget(signIn_, 0, Qt::AlignLeft);
    column->addLayout(others);
    setCardContent(content);
    setFocusProxy(signIn_);

    connect(signIn_, &QAbstractButton::clicked, this, &LoginPrompt::signInRequested);
    connect(forgot_, &QAbstractButton::clicked, this, &LoginPrompt::forgotPasswordRequested);
    connect(continueWithout_, &QAbstractButton::clicked, this, &LoginPrompt::continueWithoutRequested);
}

void LoginPrompt::show(const LoginPromptView& view) {
    title_->setProse(QString::fromStdString(view.title));
    body_->setProse(QString::fromStdString(view.body));
    siteLabel_->setProse(QString::fromStdString(view.siteLabel));
    domain_->setText(QString::fromStdString(view.domain));
    signIn_->setText(QString::fromStdString(view.signInLabel));
    setButtonText(*forgot_, QString::fromStdString(view.forgotLabel));
    setButtonText(*continueWithout_, QString::fromStdString(view.continueWithoutLabel));
}

} // namespace zantiva
