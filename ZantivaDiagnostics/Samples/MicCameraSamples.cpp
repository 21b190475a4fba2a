#include "Samples/MicCameraSamples.h"

#include <QPainter>
#include <QRadialGradient>

#include "LocalizedViews/LocNotifier.h"
#include "Model/TestPlans.h"
#include "Presenters/MicCameraPresenter.h"
#include "Stations/CameraPreview.h"
#include "Stations/MicCameraStation.h"

namespace zantiva::MicCameraSamples {
namespace {

QWidget* page(const MicCameraState& state, LocNotifier& loc) {
    auto* page = new MicCameraStation;
    page->preview()->setFrame(cameraPicture());
    page->show(MicCameraPresenter::present(state, loc.loc()));
    return page;
}

} // namespace

SuiteState run() {
    SuiteState state{.plan = TestPlans::full, .current = TestModule::micCamera, .isRunning = true};
    for (const TestModule module : TestPlans::full) {
        if (module == TestModule::micCamera) break;
        state.statuses[module] = ModuleStatus::passed;
    }
    state.statuses[TestModule::micCamera] = ModuleStatus::running;
    return state;
}

QImage cameraPicture() {
    QImage image(640, 480, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient wall(QPointF(460, 120), 560);
    wall.setColorAt(0, QColor(236, 214, 180));
    wall.setColorAt(1, QColor(92, 78, 70));
    painter.fillRect(image.rect(), wall);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(58, 74, 104));
    painter.drawRoundedRect(QRectF(170, 330, 300, 220), 110, 110);
    painter.setBrush(QColor(196, 150, 120));
    painter.drawRect(QRectF(292, 270, 56, 70));
    painter.drawEllipse(QRectF(250, 130, 140, 170));
    painter.setBrush(QColor(52, 38, 32));
    painter.drawChord(QRectF(244, 118, 152, 120), 0, 180 * 16);
    return image;
}

QWidget* live(LocNotifier& loc) {
    return page({.cameraActive = true, .micAvailable = true, .level = 0.62, .pitchHz = 182.4}, loc);
}

QWidget* withoutCamera(LocNotifier& loc) {
    return page({.cameraBypassed = true, .micAvailable = true, .level = 0.08}, loc);
}

QWidget* accessDenied(LocNotifier& loc) {
    return page({.micAvailable = true, .accessDenied = true, .level = 0.41, .pitchHz = 236.1}, loc);
}

QWidget* failed(LocNotifier& loc) {
    return page({.cameraActive = true, .micAvailable = true, .micFailed = true, .cameraFailed = true}, loc);
}

} // namespace zantiva::MicCameraSamples
