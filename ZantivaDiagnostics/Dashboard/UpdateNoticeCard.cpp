#include "Dashboard/UpdateNoticeCard.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "Controls/ButtonText.h"
#include "Controls/RetroButton.h"
#include "Layout/ClearLayout.h"
#include "Theme/Palette.h"
#include "Typography/Fonts.h"
#include "Typography/ProseLabel.h"
#include "Typography/QtString.h"
#include "Typography/RoleLabel.h"
#include "Typography/TextRole.h"

namespace zantiva {
namespace {

// Wrapped plain text that takes the width it is given: a long unbroken run in the site's
// text is cut at the card's edge instead of widening the dashboard.
QLabel* wrapped(TextRole role) {
    QLabel* label = roleLabel(role, color(PaletteColor::text));
    label->setWordWrap(true);
    QSizePolicy policy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    label->setSizePolicy(policy);
    return label;
}

} // namespace

UpdateNoticeCard::UpdateNoticeCard(QWidget* parent)
    : RetroCard(RetroCard::Style{.padding = 20,
                                 .background = color(PaletteColor::muted),
                                 .shadowColor = color(PaletteColor::outline),
                                 .shadowOffset = 6,
                                 .isInteractive = false},
                parent),
      title_(roleLabel(TextRole::header, color(PaletteColor::text))), details_(new ProseLabel),
      get_(new RetroButton({}, RetroButtonKind::primary, RetroButtonSize::compact)),
      notes_(new RetroButton({}, RetroButtonKind::outline, RetroButtonSize::compact)),
      later_(new RetroButton({}, RetroButtonKind::outline, RetroButtonSize::compact)), notesSection_(new QWidget),
      notesTitle_(roleLabel(TextRole::label, color(PaletteColor::text))), noteLines_(new QVBoxLayout),
      howTo_(wrapped(TextRole::label)) {
    title_->setWordWrap(true);
    // Machine values in the interface's words: the line follows the language's direction and
    // is set in the interface's face, in which Persian letters join.
    details_->setWordWrap(true);
    details_->setFont(vazirFont(VazirWeight::bold, 12));
    setForeground(*details_, withOpacity(color(PaletteColor::text), 0.8));
    details_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(12);
    buttons->addWidget(get_);
    buttons->addWidget(notes_);
    buttons->addWidget(later_);
    buttons->addStretch();

    noteLines_->setContentsMargins(0, 0, 0, 0);
    noteLines_->setSpacing(4);
    auto* notes = new QVBoxLayout(notesSection_);
    notes->setContentsMargins(0, 0, 0, 0);
    notes->setSpacing(6);
    notes->addWidget(notesTitle_);
    notes->addLayout(noteLines_);
    notesSection_->hide();

    auto* column = new QVBoxLayout;
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(10);
    column->addWidget(title_);
    column->addWidget(details_);
    column->addLayout(buttons);
    column->addWidget(notesSection_);
    column->addWidget(howTo_);
    setContent(column);

    connect(get_, &QAbstractButton::clicked, this, &UpdateNoticeCard::getRequested);
    connect(later_, &QAbstractButton::clicked, this, &UpdateNoticeCard::laterRequested);
    connect(notes_, &QAbstractButton::clicked, this, [this] { setNotesShown(!showsNotes_); });
}

void UpdateNoticeCard::show(const UpdateNoticeView& view) {
    title_->setText(qs(view.title));
    details_->setProse(qs(view.details));
    setButtonText(*get_, qs(view.getLabel));
    setButtonText(*notes_, qs(view.notesLabel.value_or("")));
    notes_->setVisible(view.notesLabel.has_value());
    setButtonText(*later_, qs(view.laterLabel));
    later_->setToolTip(qs(view.laterTip));
    notesTitle_->setText(qs(view.notesTitle));
    QStringList lines;
    for (const auto& line : view.notes) lines << qs(line);
    if (lines != noteLines()) {
        clearLayout(*noteLines_);
        for (const QString& line : lines) {
            QLabel* label = wrapped(TextRole::body);
            label->setText(line);
            noteLines_->addWidget(label);
        }
    }
    howTo_->setText(qs(view.howTo));
    if (!view.notesLabel) setNotesShown(false);
}

void UpdateNoticeCard::foldNotes() { setNotesShown(false); }

void UpdateNoticeCard::setNotesShown(bool shown) {
    showsNotes_ = shown;
    notesSection_->setVisible(shown);
}

QStringList UpdateNoticeCard::noteLines() const {
    QStringList lines;
    for (int i = 0; i < noteLines_->count(); ++i)
        if (const auto* label = qobject_cast<QLabel*>(noteLines_->itemAt(i)->widget())) lines << label->text();
    return lines;
}

} // namespace zantiva
