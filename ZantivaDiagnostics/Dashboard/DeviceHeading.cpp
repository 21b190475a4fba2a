#include "Dashboard/DeviceHeading.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "Dashboard/FittedHardwareText.h"
#include "Dashboard/GradeDot.h"
#include "Theme/Palette.h"

namespace zantiva {

DeviceHeading::DeviceHeading(QWidget* parent)
    : QWidget(parent),
      caption_(new FittedHardwareText(14, 1, QFont::DemiBold, withOpacity(color(PaletteColor::text), 0.75))),
      name_(new FittedHardwareText(30, 0.6, QFont::Black, color(PaletteColor::text))), gradeDot_(new GradeDot) {
    // The name takes what the dot leaves, up to its full width; the rest stays empty.
    auto* nameRow = new QHBoxLayout;
    nameRow->setContentsMargins(0, 0, 0, 0);
    nameRow->setSpacing(16);
    nameRow->addWidget(name_);
    nameRow->addWidget(gradeDot_);
    nameRow->addStretch(1);
    auto* captionRow = new QHBoxLayout;
    captionRow->setContentsMargins(0, 0, 0, 0);
    captionRow->addWidget(caption_);
    captionRow->addStretch();

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    column->addLayout(captionRow);
    column->addLayout(nameRow);
    connect(gradeDot_, &QAbstractButton::clicked, this, &DeviceHeading::gradeRequested);
    gradeDot_->hide();
}

void DeviceHeading::show(const DeviceHeadingView& view) {
    caption_->setFullText(QString::fromStdString(view.caption));
    name_->setFullText(QString::fromStdString(view.name));
    if (view.gradeDot) gradeDot_->show(*view.gradeDot);
    gradeDot_->setVisible(view.gradeDot.has_value());
}

void DeviceHeading::changeEvent(QEvent* event) {
    // Machine text reads left to right, but a cut line still stands at the leading edge.
    if (event->type() == QEvent::LayoutDirectionChange) {
        const Qt::Alignment leading =
            Qt::AlignAbsolute | Qt::AlignVCenter | (layoutDirection() == Qt::RightToLeft ? Qt::AlignRight : Qt::AlignLeft);
        caption_->setAlignment(leading);
        name_->setAlignment(leading);
    }
    QWidget::changeEvent(event);
}

} // namespace zantiva
