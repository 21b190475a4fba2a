#include "LocalizedViews/LocNotifier.h"

namespace zantiva {

LocNotifier::LocNotifier(Loc& loc, QObject* parent)
    : QObject(parent), loc_(loc), token_(loc.subscribe([this](AppLanguage language) { emit languageChanged(language); })) {}

LocNotifier::~LocNotifier() { loc_.unsubscribe(token_); }

Qt::LayoutDirection LocNotifier::layoutDirection() const {
    return loc_.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight;
}

QString LocNotifier::text(std::string_view key, const std::vector<FormatArg>& args) const {
    return QString::fromStdString(args.empty() ? loc_.t(key) : Loc::format(key, loc_.language(), args));
}

QString LocNotifier::resolve(const LocalizedMessage& message) const { return QString::fromStdString(loc_.resolve(message)); }

void LocNotifier::bind(QObject* context, std::function<void()> refresh) {
    refresh();
    connect(this, &LocNotifier::languageChanged, context, [refresh = std::move(refresh)] { refresh(); });
}

} // namespace zantiva
