#include "WasherWindow/WasherSetupBinding.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>
#include <memory>

#include "Feeds/WasherSetupPrompt.h"
#include "LocalizedViews/LocNotifier.h"
#include "WasherWindow/WasherSetupSheet.h"

namespace zantiva {
namespace {

std::vector<std::string> screenNames() {
    std::vector<std::string> names;
    for (const QScreen* screen : QGuiApplication::screens()) names.push_back(screen->name().toStdString());
    return names;
}

std::size_t activeWindowScreen() {
    const QWidget* window = QApplication::activeWindow();
    const QScreen* screen = window ? window->screen() : nullptr;
    const qsizetype index = screen ? QGuiApplication::screens().indexOf(screen) : -1;
    return index >= 0 ? static_cast<std::size_t>(index) : 0;
}

std::optional<std::size_t> primaryScreen() {
    const qsizetype index = QGuiApplication::screens().indexOf(QGuiApplication::primaryScreen());
    return index >= 0 ? std::optional<std::size_t>(static_cast<std::size_t>(index)) : std::nullopt;
}

} // namespace

void bindWasherSetup(WasherSetupSheet& sheet, WasherSetupPrompt& prompt, LocNotifier& loc, WasherStart start) {
    auto state = std::make_shared<WasherSetupState>();
    const auto present = [&sheet, &loc, state] {
        state->screenNames = screenNames();
        sheet.show(WasherSetupPresenter::present(*state, loc.loc()));
    };
    const auto change = [present, state](auto edit) {
        return [present, state, edit](auto value) {
            edit(*state, value);
            present();
        };
    };
    loc.bind(&sheet, present);
    prompt.watchWasherSetupVisible(&sheet, [&prompt, state, present] {
        if (!prompt.isWasherSetupVisible()) return;
        *state = {.screenIndex = activeWindowScreen()};
        present();
    });
    for (const auto signal : {&QGuiApplication::screenAdded, &QGuiApplication::screenRemoved})
        QObject::connect(qApp, signal, &sheet, present);

    QObject::connect(&sheet, &WasherSetupSheet::durationChosen, &sheet,
                     change([](WasherSetupState& s, std::size_t i) {
                         s.options.duration = allCases<ScreenWasherDuration>().at(i);
                     }));
    QObject::connect(&sheet, &WasherSetupSheet::patternChosen, &sheet,
                     change([](WasherSetupState& s, std::size_t i) { s.options.startPattern = washingPatterns.at(i); }));
    QObject::connect(&sheet, &WasherSetupSheet::screenChosen, &sheet,
                     change([](WasherSetupState& s, std::size_t i) { s.screenIndex = i; }));
    QObject::connect(&sheet, &WasherSetupSheet::autoCycleChosen, &sheet,
                     change([](WasherSetupState& s, bool on) { s.options.autoCycle = on; }));
    QObject::connect(&sheet, &WasherSetupSheet::consentChosen, &sheet,
                     change([](WasherSetupState& s, bool given) { s.consent = given; }));
    QObject::connect(&sheet, &WasherSetupSheet::cancelRequested, &sheet, [&prompt] { prompt.setWasherSetupVisible(false); });
    QObject::connect(&sheet, &WasherSetupSheet::startRequested, &sheet, [&prompt, state, start = std::move(start)] {
        state->screenNames = screenNames();
        const auto screens = QGuiApplication::screens();
        if (!state->consent || screens.isEmpty()) return;
        prompt.setWasherSetupVisible(false);
        start(state->options, screens.at(static_cast<qsizetype>(WasherSetupPresenter::screenToCover(*state, primaryScreen()))));
    });
}

} // namespace zantiva
