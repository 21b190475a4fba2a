#pragma once

#include <QWidget>
#include <vector>

#include "Presenters/WasherSetupPresenter.h"

class QVBoxLayout;

namespace zantiva {

class RetroButton;

// A column of compact buttons, one per choice, the chosen one highlighted.
class WasherChoiceList : public QWidget {
    Q_OBJECT

public:
    explicit WasherChoiceList(QWidget* parent = nullptr);

    using QWidget::show;
    void show(const std::vector<WasherChoice>& choices);
    const std::vector<RetroButton*>& buttons() const { return buttons_; }

signals:
    void chosen(std::size_t index);

private:
    QVBoxLayout* column_;
    std::vector<RetroButton*> buttons_;
};

} // namespace zantiva
