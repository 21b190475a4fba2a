#pragma once

#include <QWidget>
#include <map>
#include <optional>
#include <vector>

#ifndef Q_MOC_RUN
#include "Presenters/ExternalCardPresenter.h"
#endif

class QLabel;
class QVBoxLayout;

namespace zantiva {

class ProseLabel;
class RetroButton;

// The dashboard's card of the outside benchmark applications: a header with Show/Hide and,
// unfolded, a section per application (where it is, the choose button, its run buttons and
// last scores), then the full performance run and Open CSV.
class ExternalBenchmarksCard : public QWidget {
    Q_OBJECT
public:
    struct Section {
        RetroButton* choose;
        std::vector<RetroButton*> runs; // in the order of the view's buttons
    };

    explicit ExternalBenchmarksCard(QWidget* parent = nullptr);

    using QWidget::show;
    void show(const ExternalCardView& view);

    RetroButton* toggleButton() const { return toggle_; }
    // Absent while the card is folded.
    std::optional<Section> section(ExternalBenchmarkApp app) const;
    RetroButton* openCsvButton() const { return openCsv_; }
    QWidget* body() const { return body_; }

signals:
    void expandRequested(bool expanded);
    void chooseRequested(zantiva::ExternalBenchmarkApp app);
    void stepRequested(zantiva::ExternalBenchmarkStep step);
    void runAllRequested(zantiva::ExternalBenchmarkApp app);
    void fullPerformanceRequested();
    void openCsvRequested();

private:
    QWidget* makeSection(const ExternalAppSectionView& view);

    std::optional<ExternalCardView> shown_;
    ProseLabel* title_;
    RetroButton* toggle_;
    QWidget* body_;
    ProseLabel* intro_;
    QVBoxLayout* sections_;
    std::map<ExternalBenchmarkApp, Section> sectionButtons_;
    RetroButton* fullPerformance_;
    RetroButton* openCsv_;
};

} // namespace zantiva
