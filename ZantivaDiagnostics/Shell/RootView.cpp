#include "Shell/RootView.h"

#include <QEvent>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "Dashboard/DashboardScreen.h"
#include "Dashboard/HeaderBar.h"
#include "ExternalScreens/ExternalBenchmarksCard.h"
#include "ExternalScreens/ExternalRunScreen.h"
#include "Layout/ScrollToTop.h"
#include "Results/ResultScreen.h"
#include "Results/StorageScreen.h"
#include "Shell/ErrorNotice.h"
#include "Shell/LoginPrompt.h"
#include "Shell/StatusLine.h"
#include "Stations/SuiteScreen.h"
#include "WasherWindow/WasherSetupSheet.h"

namespace zantiva {

RootView::RootView(LocNotifier& loc, Clock clock, QWidget* parent)
    : QWidget(parent), clock_(std::move(clock)), header_(new HeaderBar), status_(new StatusLine),
      screens_(new QStackedWidget), externalCard_(new ExternalBenchmarksCard),
      dashboard_(new DashboardScreen(loc, externalCard_)), suite_(new SuiteScreen),
      result_(new ResultScreen), storage_(new StorageScreen),
      external_(new ExternalRunScreen), errorNotice_(new ErrorNotice(this)),
      loginPrompt_(new LoginPrompt(this)), washerSetup_(new WasherSetupSheet(this)) {
    for (QWidget* screen : {static_cast<QWidget*>(dashboard_), static_cast<QWidget*>(suite_),
                            static_cast<QWidget*>(result_), static_cast<QWidget*>(storage_),
                            static_cast<QWidget*>(external_)})
        screens_->addWidget(screen);
    status_->hide();

    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);
    stack->addWidget(header_);
    stack->addWidget(status_);
    stack->addWidget(screens_, 1);

    // Each screen opens at its top, whatever was scrolled before it.
    connect(screens_, &QStackedWidget::currentChanged, this, [this] { scrollToTop(*screens_->currentWidget()); });
    connect(errorNotice_, &ErrorNotice::continueRequested, this, &RootView::continueRequested);
    connect(loginPrompt_, &LoginPrompt::signInRequested, this, &RootView::signInPageRequested);
    connect(loginPrompt_, &LoginPrompt::forgotPasswordRequested, this, &RootView::forgotPasswordRequested);
    connect(loginPrompt_, &LoginPrompt::continueWithoutRequested, this, &RootView::loginDismissRequested);
    connect(loginPrompt_, &ModalOverlay::backdropClicked, this, [this] {
        if (RootPresenter::backdropClickCloses(activatedAt_, clock_())) emit loginDismissRequested();
    });
}

void RootView::show(const RootContentView& view) {
    switch (view.screen) {
    case AppScreen::dashboard: screens_->setCurrentWidget(dashboard_); break;
    case AppScreen::suite: screens_->setCurrentWidget(suite_); break;
    case AppScreen::result: screens_->setCurrentWidget(result_); break;
    case AppScreen::storage: screens_->setCurrentWidget(storage_); break;
    case AppScreen::external: screens_->setCurrentWidget(external_); break;
    }
    if (view.status) status_->setText(QString::fromStdString(*view.status));
    status_->setVisible(view.status.has_value());

    const auto* error = std::get_if<ErrorNoticeView>(&view.overlay);
    if (error) errorNotice_->show(*error);
    errorNotice_->setShown(error);
    const auto* login = std::get_if<LoginPromptView>(&view.overlay);
    if (login) loginPrompt_->show(*login);
    loginPrompt_->setShown(login);
    washerSetup_->setShown(std::holds_alternative<WasherSetupOverlay>(view.overlay));
}

QWidget* RootView::currentScreen() const { return screens_->currentWidget(); }

bool RootView::event(QEvent* event) {
    // The window came to the front: a click that came with it may follow at once.
    if (event->type() == QEvent::WindowActivate) activatedAt_ = clock_();
    return QWidget::event(event);
}

void RootView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    errorNotice_->setGeometry(rect());
    loginPrompt_->setGeometry(rect());
    washerSetup_->setGeometry(rect());
}

} // namespace zantiva
