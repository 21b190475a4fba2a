#pragma once

#include "Cards/RetroCard.h"

#ifndef Q_MOC_RUN
#include "Presenters/UpdateNoticePresenter.h"
#endif

class QLabel;
class QVBoxLayout;

namespace zantiva {

class ProseLabel;
class RetroButton;

// The offer of a newer version: the version, a line of details, the get, notes and later
// buttons, the release notes (folded until their button unfolds them) and how to install.
// The notes are the website's text: shown as plain text that wraps at the card's width.
class UpdateNoticeCard : public RetroCard {
    Q_OBJECT
public:
    explicit UpdateNoticeCard(QWidget* parent = nullptr);

    using QWidget::show;
    void show(const UpdateNoticeView& view);

    // Folds the notes; a new offer starts folded.
    void foldNotes();

    QLabel* title() const { return title_; }
    ProseLabel* details() const { return details_; }
    RetroButton* getButton() const { return get_; }
    RetroButton* notesButton() const { return notes_; }
    RetroButton* laterButton() const { return later_; }
    QWidget* notesSection() const { return notesSection_; }
    // The note lines as shown, in order.
    QStringList noteLines() const;

signals:
    void getRequested();
    void laterRequested();

private:
    void setNotesShown(bool shown);

    QLabel* title_;
    ProseLabel* details_;
    RetroButton* get_;
    RetroButton* notes_;
    RetroButton* later_;
    QWidget* notesSection_;
    QLabel* notesTitle_;
    QVBoxLayout* noteLines_;
    QLabel* howTo_;
    bool showsNotes_ = false;
};

} // namespace zantiva
