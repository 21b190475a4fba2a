#include "Shell/Navigation.h"

#include "App/AppModel.h"

namespace zantiva {

void bindNavigation(AppModel& model) {
    const auto showOnBegin = [&model](const Runner& runner, AppScreen screen) {
        QObject::connect(&runner, &Runner::runBegan, &model, [&model, screen] { model.setScreen(screen); });
    };
    showOnBegin(model.suite(), AppScreen::suite);
    showOnBegin(model.storage(), AppScreen::storage);
    showOnBegin(model.external(), AppScreen::external);
    QObject::connect(&model, &AppModel::runHandedOver, &model,
                     [&model](bool measured) { model.setScreen(measured ? AppScreen::result : AppScreen::dashboard); });
}

} // namespace zantiva
