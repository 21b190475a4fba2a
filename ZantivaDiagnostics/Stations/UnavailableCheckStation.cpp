#include "Stations/UnavailableCheckStation.h"

#include <QVBoxLayout>

#include "App/AppModel.h"
#include "Controls/RetroButton.h"
#include "Dashboard/PanelParts.h"
#include "LocalizedViews/LocNotifier.h"
#include "Probes/KeyPressTracker.h"
#include "Stations/StationParts.h"
#include "Theme/Palette.h"
#include "Typography/ProseLabel.h"

namespace zantiva {
namespace {

StationOutcome skipOutcome(TestModule module) {
    switch (module) {
    case TestModule::audio: return StationOutcome::audio(false);
    case TestModule::micCamera: return StationOutcome::bypassed();
    // No key was pressed: every scored key counts as missing, so no keyboard score is made up.
    case TestModule::input: return StationOutcome::input(KeyPressTracker().result(), false);
    case TestModule::display:
    case TestModule::cpuBenchmark:
    case TestModule::gpuBenchmark:
    case TestModule::ramTest:
    case TestModule::battery: break;
    }
    return StationOutcome::skipped();
}

} // namespace

UnavailableCheckStation::UnavailableCheckStation(QWidget* parent)
    : QWidget(parent), note_(StationParts::wrappedLabel(TextRole::body, color(PaletteColor::text))),
      skip_(new RetroButton({}, RetroButtonKind::outline, RetroButtonSize::regular)) {
    QVBoxLayout* column = StationParts::pageColumn(*this);
    column->addWidget(note_);
    column->addLayout(PanelParts::leading(skip_));
    connect(skip_, &QAbstractButton::clicked, this, &UnavailableCheckStation::skipRequested);
}

void UnavailableCheckStation::show(const UnavailableCheckView& view) {
    note_->setProse(QString::fromStdString(view.note));
    skip_->setText(QString::fromStdString(view.skip));
}

void bindUnavailableCheckStation(UnavailableCheckStation& page, TestModule module, AppModel& model, LocNotifier& loc) {
    TestSuiteRunner& runner = model.suite();
    loc.bind(&page, [&page, module, &loc] { page.show(UnavailableCheckPresenter::present(module, loc.loc())); });
    QObject::connect(&page, &UnavailableCheckStation::skipRequested, &runner,
                     [&runner, module] { runner.complete(skipOutcome(module)); });
}

} // namespace zantiva
