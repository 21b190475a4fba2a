#pragma once

#include <QWidget>

#include "Presenters/InputStationPresenter.h"

class QLabel;

namespace zantiva {

class HardwareText;
class InputTouchpadArea;
class KeyboardGrid;
class ProseLabel;
class RetroButton;
class RetroTextField;
class Verdict;

// The keyboard-and-touchpad page: the step's heading over its content. Typing: the sentence, the
// field and the button to the key sweep. The sweep: what to do, the drawn keyboard, the last key
// and the button that ends it. The touchpad: the key result, the area to try it in and the verdict.
class InputStation : public QWidget {
    Q_OBJECT

public:
    explicit InputStation(QWidget* parent = nullptr);

    using QWidget::show;
    void show(const InputStationView& view);

    ProseLabel* step() const { return step_; }
    RetroTextField* typingField() const { return field_; }
    RetroButton* nextButton() const { return next_; }
    KeyboardGrid* keyboard() const { return grid_; }
    ProseLabel* lastKey() const { return lastKey_; }
    RetroButton* finishButton() const { return finish_; }
    ProseLabel* noMissing() const { return noMissing_; }
    HardwareText* doublePressedKeys() const { return doubleKeys_; }
    InputTouchpadArea* touchpad() const { return area_; }
    Verdict* verdict() const { return verdict_; }

signals:
    void typedChanged(const QString& text);
    void nextPressed();
    void finishPressed();
    void touchpadMoved();
    void touchpadClicked();
    void continuePressed();
    void issuePressed();

protected:
    void changeEvent(QEvent* event) override;

private:
    void alignKeyLists();

    ProseLabel* step_;
    QWidget* typing_;
    HardwareText* sentence_;
    RetroTextField* field_;
    RetroButton* next_;
    QWidget* keys_;
    ProseLabel* hint_;
    KeyboardGrid* grid_;
    ProseLabel* lastKey_;
    RetroButton* finish_;
    QWidget* touchpadStep_;
    ProseLabel* noMissing_;
    QWidget* missingRow_;
    ProseLabel* missingTitle_;
    HardwareText* missingKeys_;
    QWidget* doubleRow_;
    ProseLabel* doubleTitle_;
    HardwareText* doubleKeys_;
    ProseLabel* touchpadTitle_;
    InputTouchpadArea* area_;
    Verdict* verdict_;
};

} // namespace zantiva
