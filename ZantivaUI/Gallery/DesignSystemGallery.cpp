#include "Gallery/DesignSystemGallery.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "Cards/RetroCard.h"
#include "Cards/RetroProgressBar.h"
#include "Controls/GradeBadge.h"
#include "Controls/RetroButton.h"
#include "Controls/RetroTextField.h"
#include "Controls/RetroToggle.h"
#include "Layout/Boxes.h"
#include "Layout/LeadingRow.h"
#include "LocalizedViews/LocNotifier.h"
#include "LocalizedViews/LocText.h"
#include "Theme/Palette.h"
#include "Typography/HardwareText.h"

namespace zantiva {

namespace {

constexpr qreal badgeSide = 52;
constexpr double sampleProgress = 0.62;


// A button whose label is the key's text in the current language.
template <typename Button, typename... Args>
Button* labelled(LocNotifier& loc, const char* key, Args... args) {
    auto* button = new Button(QString(), args...);
    loc.bind(button, [button, &loc, key] { button->setText(loc.text(key)); });
    return button;
}

RetroCard* textRoles(LocNotifier& loc) {
    const QColor& text = color(PaletteColor::text);
    auto* stack = plainColumn(10);
    stack->addWidget(new LocText(loc, "Dashboard.Processor", TextRole::title, text));
    stack->addWidget(new LocText(loc, "Login.Title", TextRole::header, text));
    auto* body = new LocText(loc, "Login.Body", TextRole::body, text);
    body->setWordWrap(true);
    stack->addWidget(body);
    stack->addWidget(new LocText(loc, "Telemetry.Title", TextRole::label, text));
    stack->addLayout(leadingRow(new HardwareText(
        QStringLiteral("i7-1360P \u00B7 12C (4P+8E) \u00B7 2256 \u00D7 1504 @ 60 Hz"), 13, QFont::Bold, text)));
    auto* card = new RetroCard(RetroCard::Style::standard());
    card->setContent(stack);
    return card;
}

} // namespace

DesignSystemGallery::DesignSystemGallery(LocNotifier& loc, QWidget* parent) : QWidget(parent) {
    using Kind = RetroButtonKind;
    const RetroButtonSize regular = RetroButtonSize::regular;

    auto* buttons = plainColumn(12);
    buttons->addWidget(labelled<RetroButton>(loc, "Login.Button", Kind::primary, regular));
    buttons->addWidget(labelled<RetroButton>(loc, "Header.SignIn", Kind::secondary, regular));
    buttons->addWidget(labelled<RetroButton>(loc, "Header.SignOut", Kind::outline, regular));
    auto* disabled = labelled<RetroButton>(loc, "Common.Pause", Kind::outline, regular);
    disabled->setEnabled(false);
    buttons->addWidget(disabled);
    toggle_ = labelled<RetroToggle>(loc, "Common.Show", regular);
    toggle_->setChecked(true);
    buttons->addWidget(toggle_);
    RetroCard::Style interactive = RetroCard::Style::standard();
    interactive.isInteractive = true;
    auto* controls = new RetroCard(interactive);
    controls->setContent(buttons);

    field_ = new RetroTextField(QString(), false);
    loc.bind(field_, [this, &loc] { field_->lineEdit()->setPlaceholderText(loc.text("Login.Site")); });
    auto* badges = new QHBoxLayout;
    badges->setSpacing(10);
    for (const auto grade : {std::optional(DeviceGrade::s), std::optional(DeviceGrade::b),
                             std::optional(DeviceGrade::d), std::optional<DeviceGrade>()})
        badges->addWidget(new GradeBadge(grade, badgeSide), 0, Qt::AlignVCenter);
    badges->addStretch();
    auto* entries = plainColumn(14);
    entries->addWidget(field_);
    entries->addWidget(new RetroProgressBar(sampleProgress, color(PaletteColor::primary)));
    entries->addLayout(badges);
    entries->addStretch();
    auto* values = new RetroCard(RetroCard::Style::standard());
    values->setContent(entries);

    auto* row = new QHBoxLayout;
    row->setSpacing(16);
    row->addWidget(controls, 0, Qt::AlignTop);
    row->addWidget(values, 1, Qt::AlignTop);

    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(24, 24, 24, 24);
    rows->setSpacing(16);
    rows->addWidget(textRoles(loc));
    rows->addLayout(row);
    rows->addStretch();
}

} // namespace zantiva
