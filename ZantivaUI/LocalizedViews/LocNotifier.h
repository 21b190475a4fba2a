#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string_view>
#include <vector>

#include "Localization/FormatArg.h"
#include "Localization/Loc.h"

namespace zantiva {

// The Qt face of a Loc: a signal for each real change of language, and the lookups as QString.
// Widgets read their texts through it and follow the language with bind().
class LocNotifier : public QObject {
    Q_OBJECT
public:
    explicit LocNotifier(Loc& loc, QObject* parent = nullptr);
    ~LocNotifier() override;

    Loc& loc() const { return loc_; }
    AppLanguage language() const { return loc_.language(); }
    Qt::LayoutDirection layoutDirection() const;

    // The key's text in the current language; with arguments its placeholders are filled,
    // without them the text is taken as it stands (braces and all).
    QString text(std::string_view key, const std::vector<FormatArg>& args = {}) const;
    QString resolve(const LocalizedMessage& message) const;

    // Runs refresh now and again after every change of language, for as long as context lives.
    void bind(QObject* context, std::function<void()> refresh);

signals:
    void languageChanged(zantiva::AppLanguage language);

private:
    Loc& loc_;
    Loc::ListenerToken token_;
};

} // namespace zantiva
