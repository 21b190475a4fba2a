#pragma once

#include <QWidget>

namespace zantiva {

class LocNotifier;
class RetroButton;
class RetroTextField;
class RetroToggle;

// The design system on one view: a text of each role and a machine-made line on a card; the
// three button kinds, a disabled button and the latching toggle on an interactive card; the
// text field, the progress bar and the grade badges S, B, D and none on a third card. Every
// label follows the interface language.
class DesignSystemGallery : public QWidget {
    Q_OBJECT
public:
    explicit DesignSystemGallery(LocNotifier& loc, QWidget* parent = nullptr);

    RetroToggle* toggle() const { return toggle_; }
    RetroTextField* textField() const { return field_; }

private:
    RetroToggle* toggle_;
    RetroTextField* field_;
};

} // namespace zantiva
