#include "Dashboard/DashboardScreen.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

#include "Dashboard/DeviceHeading.h"
#include "Dashboard/ResumeCard.h"
#include "Panels/TelemetryPanel.h"
#include "Dashboard/TestLauncher.h"
#include "Dashboard/UpdateNoticeCard.h"
#include "Layout/BandLayout.h"
#include "Layout/PageScroll.h"
#include "Theme/Palette.h"
#include "Typography/Fonts.h"
#include "Typography/TextRole.h"

namespace zantiva {

DashboardScreen::DashboardScreen(LocNotifier& loc, QWidget* outsideBenchmarks, QWidget* parent)
    : QWidget(parent), column_(new QWidget), update_(new UpdateNoticeCard),
      resume_(new ResumeCard), heading_(new DeviceHeading), specs_(new SpecsPanel(loc)),
      launcher_(new TestLauncher), footer_(new QLabel), telemetry_(new TelemetryPanel(loc)) {
    footer_->setTextFormat(Qt::PlainText);
    footer_->setAlignment(Qt::AlignCenter);
    footer_->setContentsMargins(0, 4, 0, 0);
    footer_->setFont(vazirFont(VazirWeight::medium, 11));
    setForeground(*footer_, withOpacity(color(PaletteColor::text), 0.4));
    update_->hide();
    resume_->hide();

    auto* cards = new QVBoxLayout(column_);
    cards->setContentsMargins(0, 0, 0, 0);
    cards->setSpacing(20);
    cards->addWidget(update_);
    cards->addWidget(resume_);
    cards->addWidget(heading_);
    cards->addWidget(specs_);
    cards->addWidget(outsideBenchmarks);
    cards->addWidget(launcher_);
    cards->addWidget(footer_);
    cards->addStretch();

    auto* page = new QWidget;
    auto* band = new BandLayout(page, columnWidth, padding);
    band->setContent(column_);
    scroll_ = pageScroll(page);

    // The sidebar scrolls on its own where the window is lower than the panel (a small or scaled
    // screen). Its padding on its trailing edge is a spacing, which changes sides with the
    // direction; its leading edge touches the column.
    auto* sidebarPage = new QWidget;
    auto* sidebar = new QVBoxLayout(sidebarPage);
    sidebar->setContentsMargins(0, padding, 0, padding);
    sidebar->addWidget(telemetry_);
    sidebar->addStretch();
    QScrollArea* sidebarScroll = pageScroll(sidebarPage);
    sidebarScroll->setFixedWidth(sidebarWidth);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(scroll_, 1);
    row->addWidget(sidebarScroll);
    row->addSpacing(padding);

    connect(update_, &UpdateNoticeCard::getRequested, this, &DashboardScreen::updateGetRequested);
    connect(update_, &UpdateNoticeCard::laterRequested, this, &DashboardScreen::updateLaterRequested);
    connect(resume_, &ResumeCard::resumeRequested, this, &DashboardScreen::resumeRequested);
    connect(resume_, &ResumeCard::discardRequested, this, &DashboardScreen::discardRequested);
    connect(heading_, &DeviceHeading::gradeRequested, this, &DashboardScreen::gradeRequested);
    connect(launcher_, &TestLauncher::runRequested, this, &DashboardScreen::runRequested);
    connect(launcher_, &TestLauncher::storageTestRequested, this, &DashboardScreen::storageTestRequested);
    connect(launcher_, &TestLauncher::durationChosen, this, &DashboardScreen::durationChosen);
    connect(launcher_, &TestLauncher::bypassChosen, this, &DashboardScreen::bypassChosen);
    connect(launcher_, &TestLauncher::washerRequested, this, &DashboardScreen::washerRequested);
}

void DashboardScreen::show(const DashboardView& view) {
    if (view.update) {
        update_->show(*view.update);
    } else {
        update_->foldNotes(); // the next offer starts folded
    }
    update_->setVisible(view.update.has_value());
    if (view.resume) resume_->show(*view.resume);
    resume_->setVisible(view.resume.has_value());
    heading_->show(view.device);
    launcher_->show(view.launcher);
    footer_->setText(QString::fromStdString(view.footer));
}

void DashboardScreen::showSpecs(std::optional<SystemSpecs> specs) { specs_->setSpecs(std::move(specs)); }

void DashboardScreen::showTelemetry(const SensorSnapshot& snapshot) { telemetry_->setSnapshot(snapshot); }

void DashboardScreen::showHistories(SpecsPanel::Histories histories) { specs_->setHistories(std::move(histories)); }

} // namespace zantiva
