#include "WasherWindow/WasherNoticeBox.h"

#include <QPainter>
#include <QVBoxLayout>

#include "Theme/OutlinedShape.h"
#include "Theme/Palette.h"
#include "Typography/ProseLabel.h"
#include "Typography/QtString.h"
#include "Typography/RoleProse.h"

namespace zantiva {

WasherNoticeBox::WasherNoticeBox(QWidget* parent)
    : QWidget(parent), title_(wrappedLabel(TextRole::label, color(PaletteColor::text))),
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
        lineLabels_.push_back(wrappedLabel(TextRole::body, color(PaletteColor::text)));
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

} // namespace zantiva
