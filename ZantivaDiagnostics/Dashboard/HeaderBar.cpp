#include "Dashboard/HeaderBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QToolButton>

#include "Charts/ZantivaLogo.h"
#include "Controls/ButtonText.h"
#include "Controls/LanguageSwitch.h"
#include "Controls/RetroButton.h"
#include "Theme/Metric.h"
#include "Theme/Palette.h"
#include "Typography/Fonts.h"
#include "Typography/QtString.h"
#include "Typography/RoleLabel.h"

namespace zantiva {
namespace {

constexpr int sideMargin = 28;
// The refresh button's mark; its words are the tooltip.
const QString refreshMark = QStringLiteral("\u21BB");

} // namespace

HeaderBar::HeaderBar(QWidget* parent)
    : QWidget(parent), logo_(new ZantivaLogo(26)),
      caption_(roleLabel(TextRole::label, color(PaletteColor::text), HeaderPresenter::caption)),
      language_(new LanguageSwitch(AppLanguage::persian)),
      signIn_(new RetroButton({}, RetroButtonKind::primary, RetroButtonSize::bar)), refresh_(new QToolButton),
      signOut_(new RetroButton({}, RetroButtonKind::outline, RetroButtonSize::bar)) {
    setLayoutDirection(Qt::LeftToRight);
    setFixedHeight(barHeight);
    refresh_->setText(refreshMark);
    refresh_->setAutoRaise(true);
    refresh_->setFont(systemFont(20, QFont::Bold));

    // The logo and its caption share a baseline; together they are centred in the bar.
    auto* brand = new QWidget;
    auto* brandRow = new QHBoxLayout(brand);
    brandRow->setContentsMargins(0, 0, 0, 0);
    brandRow->setSpacing(10);
    brandRow->addWidget(logo_, 0, Qt::AlignBottom);
    brandRow->addWidget(caption_, 0, Qt::AlignBottom);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(sideMargin, 0, sideMargin, static_cast<int>(Theme::Metric::borderWidth));
    row->setSpacing(12);
    row->addWidget(brand, 0, Qt::AlignVCenter);
    row->addStretch();
    row->addWidget(language_);
    row->addWidget(signIn_);
    row->addWidget(refresh_);
    row->addWidget(signOut_);

    connect(language_, &LanguageSwitch::languageSelected, this, &HeaderBar::languageSelected);
    connect(signIn_, &QAbstractButton::clicked, this, &HeaderBar::signInRequested);
    connect(refresh_, &QAbstractButton::clicked, this, &HeaderBar::refreshRequested);
    connect(signOut_, &QAbstractButton::clicked, this, &HeaderBar::signOutRequested);
}

void HeaderBar::show(const HeaderView& view) {
    caption_->setText(qs(view.caption));
    language_->setSelection(view.language);
    language_->setToolTip(qs(view.languageTip));
    signIn_->setVisible(view.signInLabel.has_value());
    setButtonText(*signIn_, qs(view.signInLabel.value_or("")));
    refresh_->setVisible(view.account.has_value());
    signOut_->setVisible(view.account.has_value());
    if (!view.account) return;
    refresh_->setEnabled(view.account->canRefresh);
    refresh_->setToolTip(qs(view.account->refreshTip));
    refresh_->setAccessibleName(qs(view.account->refreshTip));
    setButtonText(*signOut_, qs(view.account->signOutLabel));
}

void HeaderBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), color(PaletteColor::card));
    const int rule = static_cast<int>(Theme::Metric::borderWidth);
    painter.fillRect(QRect(0, height() - rule, width(), rule), color(PaletteColor::outline));
}

} // namespace zantiva
