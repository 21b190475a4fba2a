#pragma once

#include <QCameraDevice>
#include <QCoro/QCoroTask>
#include <QList>
#include <QString>

namespace zantiva {

// What a device is used for, when asking whether the program may use it.
enum class MediaType { video, audio };

// The cameras and microphones the computer has, and whether the program may use them. Every
// call asks the system afresh; nothing is kept.
namespace MediaDevices {

// The cameras in the order the system lists them.
QList<QCameraDevice> cameras();
// Whether the system offers at least one audio input.
bool hasMicrophone();

// Linux asks no one: access is refused only when the device's node refuses to open for this
// user (EACCES or EPERM). Any other failure to open (busy, gone) is left to the start of the
// device, which reports it as its own failure. The sound server admits every program of the
// session, so audio is never refused here. Opening a node may block, so it runs off the main
// thread.
QCoro::Task<bool> requestAccess(MediaType type);

// Whether the file opens for reading and writing, as far as permission goes.
bool mayOpen(const QString& path);

} // namespace MediaDevices
} // namespace zantiva
