#pragma once

#include <QWidget>

#include "Model/TestModule.h"
#include "Presenters/StationFramePresenter.h"

class QVBoxLayout;

namespace zantiva {

class ProseLabel;

// The card of the module in progress: its name and what its check does, over its page.
class StationView : public QWidget {
    Q_OBJECT

public:
    explicit StationView(QWidget* parent = nullptr);

    using QWidget::show;
    void show(const StationHeading& heading);
    // Takes the page; a new one replaces (and deletes) the old.
    void setPage(QWidget* page);

    ProseLabel* title() const { return title_; }
    ProseLabel* subtitle() const { return subtitle_; }
    QWidget* page() const { return page_; }

private:
    ProseLabel* title_;
    ProseLabel* subtitle_;
    QVBoxLayout* column_;
    QWidget* page_ = nullptr;
};

} // namespace zantiva
