#pragma once

#include "Cards/RetroCard.h"

#ifndef Q_MOC_RUN
#include "Presenters/ResumeCardPresenter.h"
#endif

class QLabel;

namespace zantiva {

class RetroButton;

// The card of an unfinished run: how far it got, beside the resume and discard buttons.
class ResumeCard : public RetroCard {
    Q_OBJECT
public:
    explicit ResumeCard(QWidget* parent = nullptr);

    using QWidget::show;
    void show(const ResumeCardView& view);

    QLabel* title() const { return title_; }
    QLabel* body() const { return body_; }
    RetroButton* resumeButton() const { return resume_; }
    RetroButton* discardButton() const { return discard_; }

signals:
    void resumeRequested();
    void discardRequested();

private:
    QLabel* title_;
    QLabel* body_;
    RetroButton* resume_;
    RetroButton* discard_;
};

} // namespace zantiva
