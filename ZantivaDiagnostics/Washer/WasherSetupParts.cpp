#include "Washer/WasherSetupParts.h"

#include <QPainter>
#include <QVBoxLayout>

#include "Controls/RetroButton.h"
#include "Stations/StationParts.h"
#include "Theme/OutlinedShape.h"
#include "Theme/Palette.h"
#include "Typography/ProseLabel.h"
#include "Typography/QtString.h"

namespace zantiva {

WasherNoticeBox::WasherNoticeBox(QWidget* parent)
    : QWidget(parent), title_(StationParts::wrappedLabel(TextRole::label, color(PaletteColor::text))),
      lines_(new QVBoxLayout) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(10, 10, 10, 10);
    column->setSpacing(4);
    column->addWidget(title_);
    lines_->setContentsMargins(0, 0, 0, 0);
    lines_->setSpacing(4);
    column->addLayout(lines_);
}

void WasherNoticeBox::show(const WasherNotice& notice) {
    border_ = color(notice.color);
    title_->setProse(qs(notice.title));
    setForeground(*title_, border_);
    while (lineLabels_.size() < notice.lines.size()) {
        lineLabels_.push_back(StationParts::wrappedLabel(TextRole::body, color(PaletteColor::text)));
        lines_->addWidget(lineLabels_.back());
    }
    for (std::size_t i = 0; i < lineLabels_.size(); ++i) {
        lineLabels_[i]->setVisible(i < notice.lines.size());
        if (i < notice.lines.size()) lineLabels_[i]->setProse(qs(notice.lines[i]));
    }
    update();
}

void WasherNoticeBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    paintOutlinedShape(painter, QRectF(rect()), 10, color(PaletteColor::muted), border_);
}

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
