#include "Stations/StationView.h"

#include <QVBoxLayout>

#include "App/AppModel.h"
#include "Cards/RetroCard.h"
#include "LocalizedViews/LocNotifier.h"
#include "Stations/AudioStation.h"
#include "Stations/BatteryStation.h"
#include "Stations/CPUStation.h"
#include "Stations/DisplayStation.h"
#include "Stations/GPUStation.h"
#include "Stations/InputStation.h"
#include "Stations/MicCameraStation.h"
#include "Stations/RAMStation.h"
#include "Theme/Palette.h"
#include "Typography/ProseLabel.h"
#include "Typography/RoleProse.h"

namespace zantiva {
namespace {

template <typename Page, typename Bind, typename Source>
QWidget* boundPage(Bind bind, Source& source, LocNotifier& loc) {
    auto* page = new Page;
    bind(*page, source, loc);
    return page;
}

QWidget* makePage(TestModule module, AppModel& model, LocNotifier& loc) {
    switch (module) {
    case TestModule::cpuBenchmark: return boundPage<CPUStation>(bindCPUStation, model.suite(), loc);
    case TestModule::gpuBenchmark: return boundPage<GPUStation>(bindGPUStation, model, loc);
    case TestModule::ramTest: return boundPage<RAMStation>(bindRAMStation, model.suite(), loc);
    case TestModule::battery: return boundPage<BatteryStation>(bindBatteryStation, model.suite(), loc);
    case TestModule::display: return boundPage<DisplayStation>(bindDisplayStation, model.suite(), loc);
    case TestModule::audio: return boundPage<AudioStation>(bindAudioStation, model.suite(), loc);
    case TestModule::micCamera: return boundPage<MicCameraStation>(bindMicCameraStation, model.suite(), loc);
    case TestModule::input: return boundPage<InputStation>(bindInputStation, model.suite(), loc);
    }
    return nullptr;
}

} // namespace

StationView::StationView(QWidget* parent)
    : QWidget(parent), title_(wrappedLabel(TextRole::header, color(PaletteColor::text))),
      subtitle_(wrappedLabel(TextRole::subHeader, color(PaletteColor::text))),
      column_(new QVBoxLayout) {
    auto* heading = new QVBoxLayout;
    heading->setSpacing(2);
    heading->addWidget(title_);
    heading->addWidget(subtitle_);
    column_->setContentsMargins(0, 0, 0, 0);
    column_->setSpacing(14);
    column_->addLayout(heading);

    auto* card = new RetroCard(RetroCard::Style::standard());
    card->setContent(column_);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(card);
}

void StationView::show(const StationHeading& heading) {
    title_->setProse(QString::fromStdString(heading.title));
    subtitle_->setProse(QString::fromStdString(heading.subtitle));
}

void StationView::setPage(QWidget* page) {
    delete page_;
    page_ = page;
    if (page_) column_->addWidget(page_);
}

void bindStationView(StationView& view, TestModule module, AppModel& model, LocNotifier& loc) {
    loc.bind(&view, [&view, module, &loc] { view.show(StationFramePresenter::heading(module, loc.loc())); });
    view.setPage(makePage(module, model, loc));
}

} // namespace zantiva
