#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <functional>

class QWidget;

namespace zantiva {

// A pop-up that takes no room in any layout: its content is a child of the anchor's window,
// drawn above everything else there, and placed from the anchor's rectangle in window
// coordinates. It follows the anchor while the anchor or any of its parents moves or resizes,
// and it goes with the anchor when the anchor hides or is destroyed.
class FloatingOverlay : public QObject {
    Q_OBJECT
public:
    // place: the content's rectangle in the window, from the anchor's rectangle there.
    using Placement = std::function<QRect(const QRect& anchor, QWidget& content)>;

    FloatingOverlay(QWidget* anchor, QWidget* content, Placement place);
    ~FloatingOverlay() override;

    QWidget* content() const { return content_; }
    void setShown(bool shown);
    bool isShown() const { return shown_; }
    // Places the content again (after its size changed).
    void place();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watchAncestors();

    QWidget* anchor_;
    QPointer<QWidget> content_;
    Placement place_;
    bool shown_ = false;
};

} // namespace zantiva
