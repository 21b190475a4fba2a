#include "LocalizedViews/LocText.h"

#include "LocalizedViews/LocNotifier.h"

namespace zantiva {

LocText::LocText(LocNotifier& loc, std::string key, TextRole role, const QColor& color, std::vector<FormatArg> args,
                 QWidget* parent)
    : QLabel(parent), loc_(loc), key_(std::move(key)), args_(std::move(args)) {
    setTextFormat(Qt::PlainText);
    applyTextRole(*this, role, color);
    loc_.bind(this, [this] { refresh(); });
}

void LocText::setKey(std::string key) {
    key_ = std::move(key);
    refresh();
}

void LocText::setArgs(std::vector<FormatArg> args) {
    args_ = std::move(args);
    refresh();
}

void LocText::refresh() { setText(loc_.text(key_, args_)); }

} // namespace zantiva
