#pragma once

#include <QLabel>
#include <string>
#include <vector>

#include "Localization/FormatArg.h"
#include "Typography/TextRole.h"

namespace zantiva {

class LocNotifier;

// A message of the tables, shown as plain text in a text role and retold in the new language
// whenever the language changes.
class LocText : public QLabel {
    Q_OBJECT
public:
    LocText(LocNotifier& loc, std::string key, TextRole role, const QColor& color, std::vector<FormatArg> args = {},
            QWidget* parent = nullptr);

    const std::string& key() const { return key_; }
    void setKey(std::string key);
    void setArgs(std::vector<FormatArg> args);

private:
    void refresh();

    LocNotifier& loc_;
    std::string key_;
    std::vector<FormatArg> args_;
};

} // namespace zantiva
