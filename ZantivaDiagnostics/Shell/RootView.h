#pragma once

#include <QWidget>
#include <functional>
#include <optional>

#ifndef Q_MOC_RUN
#include "Presenters/RootPresenter.h"
#endif

class QStackedWidget;

namespace zantiva {

class DashboardScreen;
class ErrorNotice;
class ExternalBenchmarksCard;
class ExternalRunScreen;
class HeaderBar;
class LocNotifier;
class LoginPrompt;
class ResultScreen;
class StatusLine;
class StorageScreen;
class SuiteScreen;
class WasherSetupSheet;

// The whole of the main window: the header bar, the status line under it while there is
// news, the current screen, and over all of it at most one notice. The screens are made
// once and switched, so each keeps its state (and its binding) while another is shown.
class RootView : public QWidget {
    Q_OBJECT
public:
    // The time that window activations and backdrop clicks are measured on.
    using Clock = std::function<RootPresenter::Clock::time_point()>;

    explicit RootView(LocNotifier& loc, Clock clock = RootPresenter::Clock::now, QWidget* parent = nullptr);

    using QWidget::show;
    void show(const RootContentView& view);

    HeaderBar* header() const { return header_; }
    StatusLine* statusLine() const { return status_; }
    DashboardScreen* dashboard() const { return dashboard_; }
    // The dashboard's outside-benchmarks card, bound on its own (bindExternalCard).
    ExternalBenchmarksCard* externalCard() const { return externalCard_; }
    SuiteScreen* suiteScreen() const { return suite_; }
    ResultScreen* resultScreen() const { return result_; }
    StorageScreen* storageScreen() const { return storage_; }
    ExternalRunScreen* externalScreen() const { return external_; }
    QWidget* currentScreen() const;
    ErrorNotice* errorNotice() const { return errorNotice_; }
    LoginPrompt* loginPrompt() const { return loginPrompt_; }
    WasherSetupSheet* washerSetup() const { return washerSetup_; }

signals:
    void continueRequested();
    void signInPageRequested();
    void forgotPasswordRequested();
    // Continue without signing in, or a click on the prompt's backdrop that was not the
    // click bringing the window back.
    void loginDismissRequested();

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    Clock clock_;
    std::optional<RootPresenter::Clock::time_point> activatedAt_;
    HeaderBar* header_;
    StatusLine* status_;
    QStackedWidget* screens_;
    ExternalBenchmarksCard* externalCard_;
    DashboardScreen* dashboard_;
    SuiteScreen* suite_;
    ResultScreen* result_;
    StorageScreen* storage_;
    ExternalRunScreen* external_;
    ErrorNotice* errorNotice_;
    LoginPrompt* loginPrompt_;
    WasherSetupSheet* washerSetup_;
};

} // namespace zantiva
