#include "Shell/MainWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include "Assets/LogoPicture.h"
#include "LocalizedViews/ZantivaRoot.h"

namespace zantiva {

MainWindow::MainWindow(LocNotifier& loc, QWidget* parent) : QWidget(parent), layout_(new QVBoxLayout(this)) {
    applyZantivaRoot(*this, loc);
    // The product's name, the same in both languages.
    setWindowTitle(QStringLiteral("Zantiva Diagnostics"));
    if (!logoPicture().isNull()) setWindowIcon(QIcon(QPixmap::fromImage(logoPicture())));
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(0);

    setMinimumSize(minimumSize);
    QSize size = preferredSize;
    QRect area(QPoint(0, 0), size);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        area = screen->availableGeometry();
        size = size.boundedTo(area.size());
    }
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size.expandedTo(minimumSize), area));
}

void MainWindow::setContent(QWidget* content) {
    if (content_) {
        layout_->removeWidget(content_);
        content_->deleteLater();
    }
    content_ = content;
    if (content_) layout_->addWidget(content_);
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
