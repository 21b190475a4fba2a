#pragma once

class QObject;

namespace zantiva {

class LocNotifier;

// Qt's own words (the file dialog's labels and buttons, the standard buttons, the text fields'
// menus) in the interface's language, from Qt's installed translations, and Qt's own windows
// (dialogs) laid out in the language's direction: now and after every change of language, for
// as long as owner lives. Without Qt's translation of a language its words stay English.
void translateQtWithLanguage(LocNotifier& loc, QObject& owner);

} // namespace zantiva
