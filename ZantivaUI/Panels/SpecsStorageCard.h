#pragma once

#include "Cards/RetroCard.h"
#include "PanelPresenters/SpecsPresenter.h"

class QLabel;
class QVBoxLayout;

namespace zantiva {

// The storage card under the specs grid: one row per drive (model, an "External" badge
// for a drive that is not built in, a badge of its media and interface, its capacity), or the
// dimmed "not reported" when the machine lists no drive.
class SpecsStorageCard : public RetroCard {
    Q_OBJECT
public:
    explicit SpecsStorageCard(QWidget* parent = nullptr);

    void setDrives(const std::string& title, const std::vector<SpecsDrive>& drives, const std::string& externalLabel,
                   const std::string& notReported);
    QLabel* title() const { return title_; }
    QVBoxLayout* rows() const { return rows_; }

private:
    QLabel* title_;
    QVBoxLayout* rows_;
};

} // namespace zantiva
