#include "LocalizedViews/QtTranslation.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "Localization/AppLanguage.h"
#include "LocalizedViews/LocNotifier.h"

namespace zantiva {

void translateQtWithLanguage(LocNotifier& loc, QObject& owner) {
    // A translator leaves the application when it is destroyed, so it goes with its owner.
    auto* translator = new QTranslator(&owner);
    loc.bind(&owner, [translator, &loc] {
        QCoreApplication::removeTranslator(translator);
        const QString name = QStringLiteral("qt_") + QString::fromUtf8(rawValue(loc.language()));
        if (translator->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(translator);
        // A dialog is a window of its own: it takes the application's direction, not its parent's.
        QGuiApplication::setLayoutDirection(loc.layoutDirection());
    });
}

} // namespace zantiva
