#include "Stations/Verdict.h"

#include <QHBoxLayout>

#include "Controls/RetroButton.h"

namespace zantiva {

Verdict::Verdict(QWidget* parent)
    : QWidget(parent), continue_(new RetroButton({}, RetroButtonKind::primary, RetroButtonSize::regular)),
      issue_(new RetroButton({}, RetroButtonKind::outline, RetroButtonSize::regular)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(12);
    row->addWidget(continue_, 0, Qt::AlignVCenter);
    row->addWidget(issue_, 0, Qt::AlignVCenter);
    row->addStretch();
    connect(continue_, &QAbstractButton::clicked, this, &Verdict::continuePressed);
    connect(issue_, &QAbstractButton::clicked, this, &Verdict::issuePressed);
}

void Verdict::show(const VerdictView& view) {
    continue_->setText(QString::fromStdString(view.continueLabel));
    continue_->setEnabled(view.canContinue);
    issue_->setText(QString::fromStdString(view.issueLabel));
}

} // namespace zantiva
