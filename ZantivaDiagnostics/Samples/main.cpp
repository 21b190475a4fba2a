// zantiva-screens: shows one of the app's screens on sample data, or renders it to a PNG file.
// Usage: zantiva-screens --list | --screen NAME [--language en|fa] [--screenshot FILE.png]
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
    QCommandLineParser options;
    options.addHelpOption();
    options.addOption({"list", "Print the names of the screens and quit."});
    options.addOption({"screen", "The screen to show.", "name"});
    options.addOption({"language", "Interface language: en or fa.", "language", "fa"});
    options.addOption({"screenshot", "Render the screen to this PNG file and quit.", "file"});
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    // Read before the application exists, so that --list and mistakes need no display.
    if (!options.parse(arguments)) {
        std::fprintf(stderr, "zantiva-screens: %s\n", options.errorText().toLocal8Bit().constData());
        return 2;
    }
    if (options.isSet("help")) options.showHelp();

    const auto screens = zantiva::sampleScreens();
    if (options.isSet("list")) {
        for (const auto& screen : screens) std::printf("%.*s\n", static_cast<int>(screen.name.size()), screen.name.data());
        return 0;
    }
    const std::string name = options.value("screen").toStdString();
    const auto chosen = std::find_if(screens.begin(), screens.end(), [&](const auto& screen) { return screen.name == name; });
    if (chosen == screens.end()) {
        std::fprintf(stderr, "zantiva-screens: unknown screen \"%s\" (see --list)\n", name.c_str());
        return 2;
    }
    const auto language = zantiva::appLanguageFromRaw(options.value("language").toStdString());
    if (!language) {
        std::fprintf(stderr, "zantiva-screens: unknown language \"%s\" (en or fa)\n",
                     options.value("language").toLocal8Bit().constData());
        return 2;
    }
    QApplication app(argc, argv);
    zantiva::Loc loc(*language);
    zantiva::LocNotifier notifier(loc);

    const auto window = chosen->make(notifier);
    zantiva::applyZantivaRoot(*window, notifier);
    window->resize(chosen->size);
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
