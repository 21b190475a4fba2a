#pragma once

#include <QLayout>
#include <memory>

namespace zantiva {

// Lays one widget out as a band of at most `maximumWidth`, centred in the width there is,
// inside a margin on all four edges; on a narrow parent the band takes all of the width.
// Its height follows the band's width, so wrapped text is measured where it is shown.
class BandLayout : public QLayout {
public:
    BandLayout(QWidget* parent, int maximumWidth, int margin);
    ~BandLayout() override;

    void setContent(QWidget* content);
    // The band's width in a parent of that width.
    int bandWidth(int width) const;

    void addItem(QLayoutItem* item) override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    int count() const override;

    QSize sizeHint() const override;
    QSize minimumSize() const override;
    QSize maximumSize() const override { return {QLAYOUTSIZE_MAX, QLAYOUTSIZE_MAX}; }
    Qt::Orientations expandingDirections() const override { return Qt::Horizontal | Qt::Vertical; }
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    void setGeometry(const QRect& rect) override;

private:
    QSize around(QSize band) const;

    int maximumWidth_;
    int margin_;
    std::unique_ptr<QLayoutItem> item_;
};

} // namespace zantiva
