#pragma once

#include <QWidget>

#ifndef Q_MOC_RUN
#include "Presenters/ExternalScoresPresenter.h"
#endif

class QLabel;

namespace zantiva {

// One outside application's scores: up to three figures side by side, each an equal share of
// the width, its number (or a dash) large over its label. Numbers read left to right in both
// languages and can be selected.
class ExternalScoreRow : public QWidget {
    Q_OBJECT
public:
    explicit ExternalScoreRow(const ExternalScoreRowView& view, QWidget* parent = nullptr);

    // The figures' numbers, in order.
    const std::vector<QLabel*>& values() const { return values_; }

private:
    std::vector<QLabel*> values_;
};

// An application's name in Vazirmatn Black of the size, left to right in both languages.
QLabel* externalName(const std::string& text, qreal size);

} // namespace zantiva
