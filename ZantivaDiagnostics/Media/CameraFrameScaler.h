#pragma once

#include <QImage>
#include <QObject>
#include <QSize>
#include <QThreadPool>
#include <QVideoFrame>
#include <mutex>
#include <optional>

namespace zantiva {

// Turns camera frames into pictures of the preview's size on a thread of its own, so that
// the main thread only ever handles a small picture: a full-size frame costs a conversion of
// its pixel format and a scaling that would otherwise hold up the interface on every frame.
// Each picture covers the target size, centred, its overhang cut off. Frames that come while
// one is being converted replace each other: only the newest waits, so a slow machine shows
// fewer pictures, never older ones.
class CameraFrameScaler : public QObject {
    Q_OBJECT
public:
    explicit CameraFrameScaler(QSize target, QObject* parent = nullptr);
    ~CameraFrameScaler() override;

    CameraFrameScaler(const CameraFrameScaler&) = delete;
    CameraFrameScaler& operator=(const CameraFrameScaler&) = delete;

    // Takes a frame from any thread, the camera's own included; returns at once.
    void push(const QVideoFrame& frame);

    // Covers target with the image, centred, the overhang cut off.
    static QImage fitted(const QImage& image, QSize target);

signals:
    // A picture of the target size; emitted from the scaler's thread, so receivers on the
    // main thread get it queued.
    void pictureReady(const QImage& picture);

private:
    void convertWaiting();

    const QSize target_; // never changes: the converting thread reads it without the lock
    std::mutex lock_;
    std::optional<QVideoFrame> waiting_;
    bool scheduled_ = false;
    bool closed_ = false;
    // One thread, conversions one after the other; last, so it is gone before what it reads.
    QThreadPool thread_;
};

} // namespace zantiva
