#pragma once

#include <QSize>
#include <QWidget>

class QVBoxLayout;

namespace zantiva {

class LocNotifier;

// The program's one window: the window root (fonts, palette, direction by language) around
// one content widget that fills it, 1440 x 900 where the screen has room, never smaller than
// 1100 x 720. Closing it quits the program.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr QSize preferredSize{1440, 900};
    static constexpr QSize minimumSize{1100, 720};

    explicit MainWindow(LocNotifier& loc, QWidget* parent = nullptr);

    // Shows content as the whole of the window, which takes it over; the one before goes.
    void setContent(QWidget* content);
    QWidget* content() const { return content_; }

    // Raised and activated: a sign-in came back through the browser, or the program was
    // started again.
    void bringToFront();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QVBoxLayout* layout_;
    QWidget* content_ = nullptr;
};

} // namespace zantiva
