#include "Stations/DisplayTestScreen.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QStackedLayout>
#include <QVBoxLayout>

#include "Cards/RetroBadge.h"
#include "Cards/RetroCard.h"
#include "Controls/RetroButton.h"
#include "Controls/RetroCheckBox.h"
#include "Layout/CentredRow.h"
#include "Stations/DisplayDeadPixelGrid.h"
#include "Stations/DisplayPacedSquare.h"
#include "Stations/DisplayRefreshClock.h"
#include "Theme/Palette.h"
#include "Typography/Fonts.h"
#include "Typography/HardwareText.h"
#include "Typography/ProseLabel.h"
#include "Typography/QtString.h"

namespace zantiva {
namespace {

constexpr int exitPadding = 20;

ProseLabel* centred(TextRole role, const QColor& color) {
    auto* label = new ProseLabel(role, color);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

// The page's name at the bottom of the screen, faint on its colour.
ProseLabel* caption() {
    auto* label = new ProseLabel;
    label->setFont(vazirFont(VazirWeight::bold, 14));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

void showCaption(ProseLabel& label, const std::string& text, bool onLight) {
    label.setProse(qs(text));
    setForeground(label, QColor(onLight ? 0 : 255, onLight ? 0 : 255, onLight ? 0 : 255, 89));
}

// The column that holds a page's caption at its foot; the caller adds the caption.
QVBoxLayout* captionColumn(QWidget& page) {
    auto* column = new QVBoxLayout(&page);
    column->setContentsMargins(28, 28, 28, 28);
    column->addStretch();
    return column;
}

QColor fillColor(std::uint32_t rgb) { return QColor::fromRgb(static_cast<QRgb>(rgb)); }

} // namespace

DisplayTestScreen::SquareClock DisplayTestScreen::availableClock() {
    return DisplayRefreshClock::isAvailable() ? SquareClock::display : SquareClock::timer;
}

DisplayTestScreen::DisplayTestScreen(SquareClock clock, QWidget* parent)
    : QWidget(parent), pages_(new QStackedLayout(this)),
      exit_(new RetroButton(QStringLiteral("\u2715"), RetroButtonKind::outline, RetroButtonSize::compact, this)) {
    pages_->addWidget(makeIntro());
    pages_->addWidget(makeSolid());
    pages_->addWidget(makeDeadPixels());
    pages_->addWidget(makeRefresh(clock));
    pages_->addWidget(makeChecklist());
    connect(exit_, &QAbstractButton::clicked, this, &DisplayTestScreen::exitRequested);
    exit_->raise();
}

QWidget* DisplayTestScreen::makeIntro() {
    intro_ = new QWidget;
    const QColor text = color(PaletteColor::text);
    introTitle_ = centred(TextRole::title, text);
    introBody_ = centred(TextRole::subHeader, text);
    introHint_ = centred(TextRole::body, text);
    introExit_ = centred(TextRole::body, text);
    introBegin_ = centred(TextRole::header, color(PaletteColor::primary));
    auto* column = new QVBoxLayout;
    column->setSpacing(18);
    for (ProseLabel* label : {introTitle_, introBody_, introHint_, introExit_}) column->addWidget(label);
    column->addSpacing(12);
    column->addWidget(introBegin_);
    auto* box = new QWidget;
    box->setMaximumWidth(720);
    box->setLayout(column);
    auto* outer = new QVBoxLayout(intro_);
    outer->setContentsMargins(40, 40, 40, 40);
    outer->addStretch();
    outer->addLayout(centredRow(box, 1));
    outer->addStretch();
    return intro_;
}

QWidget* DisplayTestScreen::makeSolid() {
    solid_ = new QWidget;
    solid_->setAutoFillBackground(true);
    solidCaption_ = caption();
    captionColumn(*solid_)->addWidget(solidCaption_);
    return solid_;
}

QWidget* DisplayTestScreen::makeDeadPixels() {
    deadPixelPage_ = new QWidget;
    auto* grid = new QGridLayout(deadPixelPage_);
    grid->setContentsMargins(0, 0, 0, 0);
    deadPixels_ = new DisplayDeadPixelGrid;
    grid->addWidget(deadPixels_, 0, 0);
    // The caption stands on a solid plate: over the grid itself its letters (and, in Persian,
    // their dots) would merge with the lit pixels.
    deadPixelCaption_ = caption();
    setForeground(*deadPixelCaption_, withOpacity(color(PaletteColor::text), 0.85));
    auto* over = new QWidget;
    captionColumn(*over)->addLayout(centredRow(new RetroBadge(deadPixelCaption_, color(PaletteColor::surface))));
    grid->addWidget(over, 0, 0);
    return deadPixelPage_;
}

QWidget* DisplayTestScreen::makeRefresh(SquareClock clock) {
    refresh_ = new QWidget;
    const QColor text = color(PaletteColor::text);
    refreshTitle_ = centred(TextRole::title, text);
    refreshBody_ = centred(TextRole::body, text);
    refreshBody_->setMaximumWidth(680);
    rate_ = new HardwareText({}, 44, QFont::Bold, color(PaletteColor::primary));
    rate_->setAlignment(Qt::AlignCenter);
    refreshHint_ = centred(TextRole::header, text);
    auto* texts = new QWidget;
    auto* column = new QVBoxLayout(texts);
    refreshColumn_ = column;
    column->setSpacing(14);
    column->addWidget(refreshTitle_);
    column->addLayout(centredRow(refreshBody_, 1));
    column->addWidget(rate_);
    column->addWidget(refreshHint_);
    column->addStretch();
    // Made with the window: a GL surface added to a window that shows already would make the
    // window anew, and the new one would not have the keyboard.
    auto* grid = new QGridLayout(refresh_);
    grid->setContentsMargins(0, 0, 0, 0);
    if (clock == SquareClock::display) {
        clock_ = new DisplayRefreshClock;
        connect(clock_, &DisplayRefreshClock::frameShown, this, &DisplayTestScreen::frameShown);
        grid->addWidget(clock_, 0, 0);
    } else {
        pacedSquare_ = new DisplayPacedSquare;
        grid->addWidget(pacedSquare_, 0, 0);
    }
    grid->addWidget(texts, 0, 0);
    return refresh_;
}

QWidget* DisplayTestScreen::makeChecklist() {
    checklist_ = new QWidget;
    checklistTitle_ = new ProseLabel(TextRole::header, color(PaletteColor::text));
    checklistTitle_->setWordWrap(true);
    finish_ = new RetroButton({}, RetroButtonKind::primary, RetroButtonSize::regular);
    connect(finish_, &QAbstractButton::clicked, this, &DisplayTestScreen::finishRequested);
    // The check boxes go between the title and the spacing above the button, once the page
    // knows its rows; the button is placed now so that the page owns it from the start.
    auto* column = new QVBoxLayout;
    column->setSpacing(12);
    column->addWidget(checklistTitle_);
    column->addSpacing(6);
    column->addWidget(finish_, 0, Qt::AlignLeading);
    checkColumn_ = column;
    auto* content = new QWidget;
    content->setFixedWidth(560);
    content->setLayout(column);
    auto* card = new RetroCard(RetroCard::Style::standard());
    card->setContent(content);
    auto* outer = new QVBoxLayout(checklist_);
    outer->addStretch();
    outer->addWidget(card, 0, Qt::AlignHCenter);
    outer->addStretch();
    return checklist_;
}

QWidget* DisplayTestScreen::currentPage() const { return pages_->currentWidget(); }

void DisplayTestScreen::show(const DisplayTestView& view) {
    using Page = DisplayTestState::Page;
    view_ = view;
    exit_->setToolTip(qs(view.exitTooltip));
    switch (view.step.page) {
    case Page::intro:
        introTitle_->setProse(qs(view.title));
        introBody_->setProse(qs(view.body));
        introHint_->setProse(qs(view.hint));
        introExit_->setProse(qs(view.exitHint));
        introBegin_->setProse(qs(view.begin));
        pages_->setCurrentWidget(intro_);
        break;
    case Page::color: {
        QPalette fill = solid_->palette();
        fill.setColor(QPalette::Window, fillColor(view.fill));
        solid_->setPalette(fill);
        showCaption(*solidCaption_, view.caption, view.captionOnLight);
        pages_->setCurrentWidget(solid_);
        break;
    }
    case Page::deadPixel:
        deadPixelCaption_->setProse(qs(view.caption));
        pages_->setCurrentWidget(deadPixelPage_);
        break;
    case Page::refresh: showRefresh(view); break;
    case Page::checklist: showChecklist(view); break;
    }
    placeExit();
}

void DisplayTestScreen::showRefresh(const DisplayTestView& view) {
    refreshTitle_->setProse(qs(view.title));
    refreshBody_->setProse(qs(view.body));
    rate_->setText(qs(view.rate));
    refreshHint_->setProse(qs(view.hint));
    pages_->setCurrentWidget(refresh_);
}

void DisplayTestScreen::showChecklist(const DisplayTestView& view) {
    checklistTitle_->setProse(qs(view.title));
    auto* column = static_cast<QVBoxLayout*>(checkColumn_);
    if (checkBoxes_.size() != view.checklist.size()) {
        for (RetroCheckBox* box : checkBoxes_) delete box;
        checkBoxes_.clear();
        for (const DisplayChecklistRow& row : view.checklist) {
            auto* box = new RetroCheckBox({});
            applyTextRole(*box, TextRole::body, color(PaletteColor::text));
            connect(box, &QAbstractButton::toggled, this, [this, issue = row.issue](bool on) { emit tickChanged(issue, on); });
            column->insertWidget(column->count() - 2, box);
            checkBoxes_.push_back(box);
        }
    }
    for (std::size_t i = 0; i < view.checklist.size(); ++i) {
        RetroCheckBox* box = checkBoxes_[i];
        box->setText(qs(view.checklist[i].label));
        const QSignalBlocker quiet(box);
        box->setChecked(view.checklist[i].ticked);
    }
    finish_->setText(qs(view.finish));
    pages_->setCurrentWidget(checklist_);
}

void DisplayTestScreen::paintEvent(QPaintEvent*) {
    // Black whatever the window's palette, which the interface's root gives its surface colour.
    QPainter(this).fillRect(rect(), Qt::black);
}

void DisplayTestScreen::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && view_.step.page != DisplayTestState::Page::checklist) emit advanceRequested();
    event->accept();
}

void DisplayTestScreen::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    refreshColumn_->setContentsMargins(0, static_cast<int>(0.14 * height()), 0, 0);
    placeExit();
}

void DisplayTestScreen::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LayoutDirectionChange) placeExit();
}

void DisplayTestScreen::placeExit() {
    const QSize size = exit_->sizeHint();
    const int x = layoutDirection() == Qt::RightToLeft ? exitPadding : width() - exitPadding - size.width();
    exit_->setGeometry(QRect(QPoint(x, exitPadding), size));
    exit_->raise();
}

} // namespace zantiva
