#pragma once

#include <QWidget>

namespace zantiva {

// Holds one widget whose wording changes often (a reading's footnote) and stands in for it in a
// column whose width doesn't follow its content (a panel of fixed width). A change of the content
// reaches the layouts around only when the height it needs at the width it has changes; otherwise
// the content is drawn again and nothing is laid out. The content fills the holder and stays shown.
class ReflowGate : public QWidget {
    Q_OBJECT
public:
    explicit ReflowGate(QWidget* content, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int neededHeight() const;
    // Takes the content's size policy if it changed; true if it did.
    bool followPolicy();

    QWidget* content_;
    int passedOn_ = -1; // the height the layouts around last heard of
};

} // namespace zantiva
