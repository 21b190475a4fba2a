#include "Shell/MainWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

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
    place();
}

void MainWindow::setContent(QWidget* content) {
    if (QWidget* before = scroll_->takeWidget()) before->deleteLater();
    content_ = content;
    if (!content_) return;
    content_->setMinimumSize(minimumSize);
    content_->setAutoFillBackground(false);
    scroll_->setWidget(content_);
}

void MainWindow::place() {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(QPoint(), preferredSize);
    // Nothing around the window before a window manager framed it, nor without one.
    const QRect outer = frameGeometry(), inner = geometry();
    const FrameMargins frame{inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                             outer.bottom() - inner.bottom()};
    const WindowPlacement placed = WindowPlacementRule::place({area.x(), area.y(), area.width(), area.height()},
                                                              frame);
    setMinimumSize(placed.minimum.width, placed.minimum.height);
    setGeometry(placed.geometry.x, placed.geometry.y, placed.geometry.width, placed.geometry.height);
}

bool MainWindow::event(QEvent* event) {
    // A window manager's frame is known only once it has taken the window (by the time it
    // activates it, at the latest): the window is placed again then, once, so that the frame too
    // fits the screen.
    const bool handled = QWidget::event(event);
    const auto type = event->type();
    if (!framed_ && isVisible() &&
        (type == QEvent::Show || type == QEvent::Move || type == QEvent::Resize || type == QEvent::WindowActivate) &&
        frameGeometry() != geometry()) {
        framed_ = true;
        place();
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
