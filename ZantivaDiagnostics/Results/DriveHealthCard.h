#pragma once

#include <optional>

#include "Cards/RetroCard.h"
#include "Presenters/DriveHealthPresenter.h"

namespace zantiva {

// Every drive of a drive-health reading: its name and status pill, its health facts (or
// that it reported none) and its issues, between the title and the note. No actions.
class DriveHealthCard : public RetroCard {
    Q_OBJECT
public:
    explicit DriveHealthCard(QWidget* parent = nullptr);

    using QWidget::show;
    void show(const DriveHealthView& view);

private:
    std::optional<DriveHealthView> shown_;
    QWidget* face_ = nullptr; // the title, the drives' rows and the note
};

} // namespace zantiva
