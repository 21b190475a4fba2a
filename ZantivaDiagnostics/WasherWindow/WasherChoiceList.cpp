#include "WasherWindow/WasherChoiceList.h"

#include <QVBoxLayout>

#include "Controls/RetroButton.h"
#include "Typography/QtString.h"

namespace zantiva {

WasherChoiceList::WasherChoiceList(QWidget* parent) : QWidget(parent), column_(new QVBoxLayout(this)) {
    column_->setContentsMargins(0, 0, 0, 0);
    column_->setSpacing(6);
}

void WasherChoiceList::show(const std::vector<WasherChoice>& choices) {
    while (buttons_.size() < choices.size()) {
        auto* button = new RetroButton({}, RetroButtonKind::outline, RetroButtonSize::compact);
        const std::size_t index = buttons_.size();
        connect(button, &QAbstractButton::clicked, this, [this, index] { emit chosen(index); });
        column_->addWidget(button, 0, Qt::AlignLeading);
        buttons_.push_back(button);
    }
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        buttons_[i]->setVisible(i < choices.size());
        if (i >= choices.size()) continue;
        buttons_[i]->setText(qs(choices[i].label));
        buttons_[i]->setKind(choices[i].selected ? RetroButtonKind::secondary : RetroButtonKind::outline);
    }
}

} // namespace zantiva
