#pragma once

#include <QAbstractButton>
#include <QStringList>
#include <optional>

class QPainter;

namespace zantiva {

class DropdownList;
class FloatingOverlay;
class OutsideClickDismissal;

// The single-choice picker without its option type (see RetroDropdown): a fixed-width button
// showing the current choice and a small triangle; a click opens the list of every option just
// below it, drawn over whatever lies there and taking no room. A click on a row picks it and
// closes the list; Escape or a click anywhere else closes it without a change. Disabled, it is
// drawn faded and closed.
class RetroDropdownBase : public QAbstractButton {
    Q_OBJECT
public:
    ~RetroDropdownBase() override;

    bool isOpen() const { return open_; }
    void setOpen(bool open);
    DropdownList* list() const { return list_; }
    // Where the list's frame starts, from the button's top-left corner: below it by its height
    // + 4, its face lined up with the button in both layout directions (the shadow's room is
    // always on the physical right, so a right-to-left window needs no shift of its own).
    QPoint listOffset() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    void openChanged(bool open);

protected:
    RetroDropdownBase(qreal width, bool startsOpen, QWidget* parent);

    // The shown texts: the current choice, every row, and which row holds the current choice.
    void setTexts(const QString& current, const QStringList& rows, std::optional<int> selectedRow);
    // Writes the row's option as the selection; the list closes after.
    virtual void pick(int row) = 0;

    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void paintFace(QPainter& painter) const;

    qreal width_;
    bool open_;
    QString current_;
    DropdownList* list_;
    FloatingOverlay* overlay_;
    OutsideClickDismissal* dismissal_;
};

} // namespace zantiva
