#pragma once

#include <QWidget>

#include "PanelPresenters/ScoreRowView.h"

class QLabel;

namespace zantiva {

// Up to three scores side by side, each an equal share of the width, its number (or a dash)
// large over its label. Numbers read left to right in both languages and can be selected.
class ScoreRow : public QWidget {
    Q_OBJECT
public:
    explicit ScoreRow(const ScoreRowView& view, QWidget* parent = nullptr);

    // The figures' numbers, in order.
    const std::vector<QLabel*>& values() const { return values_; }

private:
    std::vector<QLabel*> values_;
};

// The name the scores belong to, set like them (Vazirmatn Black of the size, left to right in
// both languages) but not selectable.
QLabel* scoreTitle(const std::string& text, qreal size);

} // namespace zantiva
