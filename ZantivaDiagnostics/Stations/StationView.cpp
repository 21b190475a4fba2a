#include "Stations/StationView.h"

#include <QVBoxLayout>

#include "Cards/RetroCard.h"
#include "Theme/Palette.h"
#include "Typography/ProseLabel.h"
#include "Typography/RoleProse.h"

namespace zantiva {
StationView::StationView(QWidget* parent)
    : QWidget(parent), title_(wrappedLabel(TextRole::header, color(PaletteColor::text))),
      subtitle_(wrappedLabel(TextRole::subHeader, color(PaletteColor::text))),
      column_(new QVBoxLayout) {
    auto* heading = new QVBoxLayout;
    heading->setSpacing(2);
    heading->addWidget(title_);
    heading->addWidget(subtitle_);
    column_->setContentsMargins(0, 0, 0, 0);
    column_->setSpacing(14);
    column_->addLayout(heading);

    auto* card = new RetroCard(RetroCard::Style::standard());
    card->setContent(column_);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(card);
}

void StationView::show(const StationHeading& heading) {
    title_->setProse(QString::fromStdString(heading.title));
    subtitle_->setProse(QString::fromStdString(heading.subtitle));
}

void StationView::setPage(QWidget* page) {
    delete page_;
    page_ = page;
    if (page_) column_->addWidget(page_);
}

} // namespace zantiva
