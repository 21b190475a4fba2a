#pragma once

#include <QWidget>
#include <vector>

#include "Presenters/WasherSetupPresenter.h"

class QVBoxLayout;

namespace zantiva {

class ProseLabel;

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

} // namespace zantiva
