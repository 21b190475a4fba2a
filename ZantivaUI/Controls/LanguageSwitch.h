#pragma once

#include <QWidget>

#include "Localization/AppLanguage.h"

class QAbstractButton;
class QSpacerItem;

namespace zantiva {

// The two-way choice of interface language: "EN" and "FA" side by side (English on the left in
// both languages), the current one on a crimson pill. A click on the other segment is reported
// through languageSelected; the switch itself changes nothing until it is given the new selection.
class LanguageSwitch : public QWidget {
    Q_OBJECT
public:
    explicit LanguageSwitch(AppLanguage selection, QWidget* parent = nullptr);

    AppLanguage selection() const { return selection_; }
    void setSelection(AppLanguage selection);

    QAbstractButton* segment(AppLanguage language) const;

signals:
    // Once per click, only with the language that is not the selection.
    void languageSelected(zantiva::AppLanguage language);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    AppLanguage selection_;
    QAbstractButton* english_;
    QAbstractButton* persian_;
    QSpacerItem* divider_;
};

} // namespace zantiva
