#include "Media/MediaDevices.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include <QAudioDevice>
#include <QCameraDevice>
#include <QCoro/QCoroFuture>
#include <QMediaDevices>
#include <QtConcurrent/QtConcurrent>

namespace zantiva::MediaDevices {

QList<QCameraDevice> cameras() { return QMediaDevices::videoInputs(); }

bool hasMicrophone() { return !QMediaDevices::audioInputs().isEmpty(); }

bool mayOpen(const QString& path) {
    const int fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        return true;
    }
    return errno != EACCES && errno != EPERM;
}

QCoro::Task<bool> requestAccess(MediaType type) {
    if (type == MediaType::audio) co_return true;
    const QList<QCameraDevice> found = cameras();
    // The camera's id is its device node ("/dev/video0"); a camera that names none has
    // nothing to refuse.
    const QString node = found.isEmpty() ? QString() : QString::fromUtf8(found.first().id());
    if (!node.startsWith(QLatin1String("/dev/"))) co_return true;
    QFuture<bool> opened = QtConcurrent::run([node] { return mayOpen(node); });
    co_return co_await opened;
}

} // namespace zantiva::MediaDevices
