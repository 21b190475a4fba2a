#pragma once

#include <QWidget>
#include <vector>

#include "Presenters/WasherSetupPresenter.h"

class QVBoxLayout;

namespace zantiva {

class ProseLabel;
class RetroButton;

// A boxed notice of the set-up card: its title in the notice's colour over body lines, on
// the muted fill with a border in the same colour.
class WasherNoticeBox : public QWidget {
    Q_OBJECT

public:
    explicit WasherNoticeBox(QWidget* parent = nullptr);

    using QWidget::show;
    void show(const WasherNotice& notice);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ProseLabel* title_;
    QVBoxLayout* lines_;
    std::vector<ProseLabel*> lineLabels_;
    QColor border_;
};

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
