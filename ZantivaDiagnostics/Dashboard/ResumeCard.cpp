#include "Dashboard/ResumeCard.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "Controls/ButtonText.h"
#include "Controls/RetroButton.h"
#include "Theme/Palette.h"
#include "Typography/RoleLabel.h"

namespace zantiva {

ResumeCard::ResumeCard(QWidget* parent)
    : RetroCard(RetroCard::Style::standard(), parent),
      title_(roleLabel(TextRole::label, color(PaletteColor::text))),
      body_(roleLabel(TextRole::body, color(PaletteColor::text))),
      resume_(new RetroButton({}, RetroButtonKind::primary, RetroButtonSize::pill)),
      discard_(new RetroButton({}, RetroButtonKind::outline, RetroButtonSize::pill)) {
    body_->setWordWrap(true);
    auto* text = new QVBoxLayout;
    text->setSpacing(6);
    text->addWidget(title_);
    text->addWidget(body_);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(6);
    buttons->addWidget(resume_);
    buttons->addWidget(discard_);
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(16);
    row->addLayout(text, 1);
    row->addLayout(buttons);
    setContent(row);
    connect(resume_, &QAbstractButton::clicked, this, &ResumeCard::resumeRequested);
    connect(discard_, &QAbstractButton::clicked, this, &ResumeCard::discardRequested);
}

void ResumeCard::show(const ResumeCardView& view) {
    title_->setText(QString::fromStdString(view.title));
    body_->setText(QString::fromStdString(view.body));
    setButtonText(*resume_, QString::fromStdString(view.resumeLabel));
    resume_->setEnabled(view.canResume);
    setButtonText(*discard_, QString::fromStdString(view.discardLabel));
    discard_->setToolTip(QString::fromStdString(view.discardTip));
}

} // namespace zantiva
