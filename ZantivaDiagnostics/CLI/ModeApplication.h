#pragma once

#include <QCoreApplication>
#include <memory>

namespace zantiva {

// The application object a command-line mode runs its event loop on, made for the mode
// alone; null when one exists already (a test's). A GUI application (fonts, pictures) draws
// off screen whatever display there is, so that a display that can't be opened ends nothing.
std::unique_ptr<QCoreApplication> makeModeApplication();
std::unique_ptr<QCoreApplication> makeGuiModeApplication();

} // namespace zantiva
