#include "Cards/RetroBadge.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>

#include "Theme/Metric.h"
#include "Theme/OutlinedShape.h"
#include "Theme/Palette.h"
#include "Typography/Fonts.h"
#include "Typography/TextRole.h"

namespace zantiva {

namespace {

QLabel* badgeText(const QString& text, const QColor& foreground) {
    auto* label = new QLabel;
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    label->setFont(vazirFont(VazirWeight::bold, 12));
    setForeground(*label, foreground);
    return label;
}

} // namespace

RetroBadge::RetroBadge(QWidget* content, const QColor& background, QWidget* parent)
    : QWidget(parent), background_(background) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(14, 6, 14, 6);
    layout->addWidget(content);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

RetroBadge::RetroBadge(const QString& text, const QColor& background, const QColor& foreground, QWidget* parent)
    : RetroBadge(badgeText(text, foreground), background, parent) {}

void RetroBadge::setBackground(const QColor& background) {
    if (background == background_) return;   // live panels set it with every reading
    background_ = background;
    update();
}

void RetroBadge::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintOutlinedShape(painter, rect(), Theme::Metric::badgeRadius, background_, color(PaletteColor::outline));
}

} // namespace zantiva
