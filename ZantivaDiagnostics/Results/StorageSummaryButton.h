#pragma once

#include <QAbstractButton>

#include "Presenters/ResultPresenter.h"

namespace zantiva {

// The results screen's card of the last storage result: the four headline speeds on a card
// that lifts under the pointer, the whole of it one button that opens the storage screen.
class StorageSummaryButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit StorageSummaryButton(const ResultStorageView& view, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace zantiva
