// zantiva-gallery: shows the design system's gallery, or renders it to a PNG file.
// Usage: zantiva-gallery [--language en|fa] [--screenshot FILE.png]
#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>
#include <cstdio>

#include "Gallery/GalleryWindow.h"
#include "Localization/AppLanguage.h"
#include "Localization/Loc.h"
#include "LocalizedViews/LocNotifier.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QCommandLineParser options;
    options.addHelpOption();
    options.addOption({"language", "Interface language: en or fa.", "language", "fa"});
    options.addOption({"screenshot", "Render the window to this PNG file and quit.", "file"});
    options.process(app);

    const auto language = zantiva::appLanguageFromRaw(options.value("language").toStdString());
    if (!language) {
        std::fprintf(stderr, "zantiva-gallery: unknown language \"%s\" (en or fa)\n",
                     options.value("language").toLocal8Bit().constData());
        return 2;
    }
    zantiva::Loc loc(*language);
    zantiva::LocNotifier notifier(loc);

    zantiva::GalleryWindow window(notifier);
    window.show();
    if (!options.isSet("screenshot")) return app.exec();

    // Give layouts and the first hover-free animations a moment to settle, then draw.
    const QString file = options.value("screenshot");
    int status = 0;
    QTimer::singleShot(400, &app, [&] {
        if (!window.grab().save(file, "PNG")) {
            std::fprintf(stderr, "zantiva-gallery: cannot write %s\n", file.toLocal8Bit().constData());
            status = 1;
        }
        app.quit();
    });
    app.exec();
    return status;
}
