#pragma once

#include <QString>
#include <algorithm>
#include <functional>
#include <vector>

#include "Layout/RetroDropdownBase.h"

namespace zantiva {

// The dropdown over any option type that can be compared: options in order (distinct values),
// the current selection, a fixed width, whether the list starts open, and the label shown for
// an option, verbatim. Picking a row writes the selection once, through onSelect, then closes.
template <typename Option> class RetroDropdown : public RetroDropdownBase {
public:
    using Label = std::function<QString(const Option&)>;

    RetroDropdown(std::vector<Option> options, Option selection, qreal width, bool startsOpen, Label label,
                  QWidget* parent = nullptr)
        : RetroDropdownBase(width, startsOpen, parent), options_(std::move(options)),
          selection_(std::move(selection)), label_(std::move(label)) {
        refreshTexts();
    }

    const std::vector<Option>& options() const { return options_; }
    void setOptions(std::vector<Option> options) {
        options_ = std::move(options);
        refreshTexts();
    }

    const Option& selection() const { return selection_; }
    // The caller's new value; a selection among none of the options still shows its label.
    void setSelection(Option selection) {
        selection_ = std::move(selection);
        refreshTexts();
    }
    // Where a picked option is written.
    void onSelect(std::function<void(const Option&)> write) { write_ = std::move(write); }

protected:
    void pick(int row) override {
        setSelection(options_.at(static_cast<size_t>(row)));
        if (write_) write_(selection_);
    }

private:
    void refreshTexts() {
        QStringList rows;
        std::optional<int> selected;
        for (size_t i = 0; i < options_.size(); ++i) {
            rows << label_(options_[i]);
            if (!selected && options_[i] == selection_) selected = static_cast<int>(i);
        }
        setTexts(label_(selection_), rows, selected);
    }

    std::vector<Option> options_;
    Option selection_;
    Label label_;
    std::function<void(const Option&)> write_;
};

} // namespace zantiva
