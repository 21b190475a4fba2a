#include "Shell/StatusLine.h"

#include <QPainter>
#include <QVBoxLayout>

#include "Theme/Palette.h"
#include "Typography/ProseLabel.h"
#include "Typography/RoleProse.h"

namespace zantiva {
namespace {

constexpr int horizontalPadding = 28;
constexpr int verticalPadding = 8;
constexpr int ruleHeight = 2;

} // namespace

StatusLine::StatusLine(QWidget* parent)
    : QWidget(parent), label_(wrappedLabel(TextRole::body, color(PaletteColor::text))) {
    label_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    auto* row = new QVBoxLayout(this);
    row->setContentsMargins(horizontalPadding, verticalPadding, horizontalPadding, verticalPadding + ruleHeight);
    row->addWidget(label_);
}

void StatusLine::setText(const QString& text) { label_->setProse(text); }

void StatusLine::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), color(PaletteColor::highlight));
    painter.fillRect(QRect(0, height() - ruleHeight, width(), ruleHeight), color(PaletteColor::outline));
}

} // namespace zantiva
