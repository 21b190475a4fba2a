#include "Shell/MainWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QWindow>

#include "Assets/LogoPicture.h"
#include "LocalizedViews/ZantivaRoot.h"

namespace zantiva {

MainWindow::MainWindow(LocNotifier& loc, QWidget* parent) : QWidget(parent), scroll_(new QScrollArea) {
    applyZantivaRoot(*this, loc);
    // The product's name, the same in both languages.
    setWindowTitle(QStringLiteral("Zantiva Diagnostics"));
    if (!logoPicture().isNull()) setWindowIcon(QIcon(QPixmap::fromImage(logoPicture())));

    // Scroll bars only while the window is smaller than the content's least size.
    scroll_->setWidgetResizable(true);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->viewport()->setAutoFillBackground(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll_);
    fit(true);
}

void MainWindow::setContent(QWidget* content) {
    if (QWidget* before = scroll_->takeWidget()) before->deleteLater();
    content_ = content;
    if (!content_) return;
    content_->setMinimumSize(minimumSize);
    content_->setAutoFillBackground(false);
    scroll_->setWidget(content_);
}

WindowPlacement MainWindow::placement() const {
    const QRect area = availableArea();
    // Nothing around the window before a window manager framed it, nor without one.
    const QRect outer = frameGeometry(), inner = geometry();
    const FrameMargins frame{inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                             outer.bottom() - inner.bottom()};
    return WindowPlacementRule::place({area.x(), area.y(), area.width(), area.height()}, frame);
}

QRect MainWindow::availableArea() const {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, WindowPlacementRule::preferredSize.width, WindowPlacementRule::preferredSize.height);
}

void MainWindow::fit(bool anew) {
    // Where the user put the window stays, unless it no longer fits the area (taken to a smaller
    // screen, or its screen made smaller or removed).
    const WindowPlacement placed = placement();
    setMinimumSize(placed.minimum.width, placed.minimum.height);
    if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) return;
    const QSize area = availableArea().size(), outer = frameGeometry().size();
    if (anew || outer.width() > area.width() || outer.height() > area.height())
        setGeometry(placed.geometry.x, placed.geometry.y, placed.geometry.width, placed.geometry.height);
}

void MainWindow::followScreen(QScreen* screen) {
    disconnect(screenArea_);
    if (screen) screenArea_ = connect(screen, &QScreen::availableGeometryChanged, this, [this] { fit(false); });
    fit(false);
}

bool MainWindow::event(QEvent* event) {
    // A window manager's frame is known only once it has taken the window (by the time it
    // activates it, at the latest): the window is placed again then, once, so that the frame too
    // fits the screen.
    const bool handled = QWidget::event(event);
    const auto type = event->type();
    if (type == QEvent::Show && windowHandle()) {
        connect(windowHandle(), &QWindow::screenChanged, this, &MainWindow::followScreen, Qt::UniqueConnection);
        followScreen(windowHandle()->screen());
    }
    if (!framed_ && isVisible() &&
        (type == QEvent::Show || type == QEvent::Move || type == QEvent::Resize || type == QEvent::WindowActivate) &&
        frameGeometry() != geometry()) {
        framed_ = true;
        fit(true);
    }
    return handled;
}

void MainWindow::bringToFront() {
    if (isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The process ends with this window, whatever other windows of it are still open.
    event->accept();
    QCoreApplication::quit();
}

} // namespace zantiva
