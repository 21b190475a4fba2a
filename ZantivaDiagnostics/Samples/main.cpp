// zantiva-screens: shows one of the app's screens on sample data, or renders it to a PNG file.
// Usage: zantiva-screens --screen NAME [--language en|fa] [--screenshot FILE.png]
//        zantiva-screens --list
#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>
#include <algorithm>
#include <cstdio>

#include "Localization/AppLanguage.h"
#include "Localization/Loc.h"
#include "LocalizedViews/LocNotifier.h"
#include "LocalizedViews/ZantivaRoot.h"
#include "Samples/SampleScreens.h"

int main(int argc, char** argv) {
    const auto screens = zantiva::sampleScreens();
    // The names need no display.
    if (std::any_of(argv + 1, argv + argc, [](const char* arg) { return std::string_view(arg) == "--list"; })) {
        for (const auto& screen : screens) std::printf("%.*s\n", int(screen.name.size()), screen.name.data());
        return 0;
    }
    QApplication app(argc, argv);
    QCommandLineParser options;
    options.addHelpOption();
    options.addOption({"list", "Print the names of the screens and quit."});
    options.addOption({"screen", "The screen to show.", "name"});
    options.addOption({"language", "Interface language: en or fa.", "language", "fa"});
    options.addOption({"screenshot", "Render the window to this PNG file and quit.", "file"});
    options.process(app);

    const std::string name = options.value("screen").toStdString();
    const auto screen = std::ranges::find(screens, std::string_view(name), &zantiva::SampleScreen::name);
    if (screen == screens.end()) {
        std::fprintf(stderr, "zantiva-screens: unknown screen \"%s\" (see --list)\n", name.c_str());
        return 2;
    }
    const auto language = zantiva::appLanguageFromRaw(options.value("language").toStdString());
    if (!language) {
        std::fprintf(stderr, "zantiva-screens: unknown language \"%s\" (en or fa)\n",
                     options.value("language").toLocal8Bit().constData());
        return 2;
    }
    zantiva::Loc loc(*language);
    zantiva::LocNotifier notifier(loc);

    const std::unique_ptr<QWidget> window = screen->make(notifier);
    zantiva::applyZantivaRoot(*window, notifier);
    window->resize(screen->size);
    window->show();
    if (!options.isSet("screenshot")) return app.exec();

    // Give layouts and the first hover-free animations a moment to settle, then draw.
    const QString file = options.value("screenshot");
    int status = 0;
    QTimer::singleShot(400, &app, [&] {
        if (!window->grab().save(file, "PNG")) {
            std::fprintf(stderr, "zantiva-screens: cannot write %s\n", file.toLocal8Bit().constData());
            status = 1;
        }
        app.quit();
    });
    app.exec();
    return status;
}
