#include "Dashboard/TestLauncher.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "Controls/ButtonText.h"
#include "Controls/RetroButton.h"
#include "Controls/RetroCheckBox.h"
#include "Layout/FlowLayout.h"
#include "Layout/LeadingRow.h"
#include "Layout/RetroDropdown.h"
#include "Theme/Palette.h"
#include "Typography/Fonts.h"
#include "Typography/QtString.h"
#include "Typography/RoleLabel.h"
#include "Typography/TextRole.h"

namespace zantiva {
namespace {

QLabel* labelRole() { return roleLabel(TextRole::label, color(PaletteColor::text)); }

} // namespace

TestLauncher::TestLauncher(QWidget* parent)
    : QWidget(parent), fullRun_(new RetroButton({}, RetroButtonKind::primary, RetroButtonSize::hero)),
      durationLabel_(labelRole()),
      // Plain digits in both languages.
      duration_(new RetroDropdown<int>({}, 3, 90, false, [](int minutes) { return QString::number(minutes); })),
      minutesLabel_(new QLabel), singleTestsTitle_(labelRole()), tests_(new QWidget),
      flow_(new FlowLayout(tests_, 6, 6)),
      storage_(new RetroButton({}, RetroButtonKind::secondary, RetroButtonSize::pill)), bypass_(new RetroCheckBox({})),
      maintenanceTitle_(labelRole()), washer_(new RetroButton({}, RetroButtonKind::secondary, RetroButtonSize::pill)) {
    minutesLabel_->setTextFormat(Qt::PlainText);
    minutesLabel_->setFont(vazirFont(VazirWeight::medium, 11));
    setForeground(*minutesLabel_, withOpacity(color(PaletteColor::text), 0.6));
    applyTextRole(*bypass_, TextRole::label, color(PaletteColor::text));
    flow_->setContentsMargins(0, 0, 0, 0);
    flow_->addWidget(storage_);

    auto* durationRow = new QHBoxLayout;
    durationRow->setSpacing(10);
    durationRow->addWidget(durationLabel_);
    durationRow->addWidget(duration_);
    durationRow->addWidget(minutesLabel_);
    durationRow->addStretch();

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addLayout(leadingRow(fullRun_));
    column->addSpacing(16);
    column->addLayout(durationRow);
    column->addSpacing(14);
    column->addWidget(singleTestsTitle_);
    column->addSpacing(10);
    column->addWidget(tests_);
    column->addSpacing(12);
    column->addWidget(bypass_);
    column->addSpacing(14);
    column->addWidget(maintenanceTitle_);
    column->addSpacing(10);
    column->addLayout(leadingRow(washer_));

    connect(fullRun_, &QAbstractButton::clicked, this, [this] { emit runRequested(fullPlan_); });
    connect(storage_, &QAbstractButton::clicked, this, &TestLauncher::storageTestRequested);
    connect(washer_, &QAbstractButton::clicked, this, &TestLauncher::washerRequested);
    duration_->onSelect([this](const int& minutes) { emit durationChosen(minutes); });
    // Only the user's clicks: show() sets the box without asking for anything.
    connect(bypass_, &QAbstractButton::clicked, this, &TestLauncher::bypassChosen);
}

void TestLauncher::show(const LauncherView& view) {
    setEnabled(view.isEnabled);
    setButtonText(*fullRun_, qs(view.fullRun.label));
    fullPlan_ = view.fullRun.plan;
    durationLabel_->setText(qs(view.durationLabel));
    if (duration_->options() != view.durations) duration_->setOptions(view.durations);
    duration_->setSelection(view.duration);
    minutesLabel_->setText(qs(view.minutesLabel));
    singleTestsTitle_->setText(qs(view.singleTestsTitle));

    // One button a plan, in order, and the storage test always last.
    if (testButtons_.size() < view.singleTests.size()) {
        flow_->removeWidget(storage_);
        while (testButtons_.size() < view.singleTests.size()) {
            auto* button = new RetroButton({}, RetroButtonKind::secondary, RetroButtonSize::pill);
            const std::size_t index = testButtons_.size();
            connect(button, &QAbstractButton::clicked, this, [this, index] { emit runRequested(plans_.at(index)); });
            flow_->addWidget(button);
            testButtons_.push_back(button);
        }
        flow_->addWidget(storage_);
    }
    plans_.clear();
    for (std::size_t i = 0; i < testButtons_.size(); ++i) {
        const bool used = i < view.singleTests.size();
        testButtons_[i]->setVisible(used);
        if (!used) continue;
        setButtonText(*testButtons_[i], qs(view.singleTests[i].label));
        plans_.push_back(view.singleTests[i].plan);
    }
    setButtonText(*storage_, qs(view.storageTestLabel));
    setButtonText(*bypass_, qs(view.bypassLabel));
    bypass_->setChecked(view.bypassPeripherals);
    maintenanceTitle_->setText(qs(view.maintenanceTitle));
    setButtonText(*washer_, qs(view.washerLabel));
    washer_->setToolTip(qs(view.washerTip));
}

} // namespace zantiva
