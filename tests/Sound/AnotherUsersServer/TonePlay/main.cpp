#include <QCoreApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "Media/DeviceWatch.h"
#include "Platform/ProcessEnd.h"
#include "Platform/ProcessSurroundings.h"
#include "Sound/TonePlayer.h"

// The speaker page's tone as the program plays it: the environment settled first, as the
// program's start settles it, then the tone for the seconds given, on the default output of
// whatever sound server the environment leads to. Says "played" (status 0) once the tone has
// run its length, "not played" (status 1) when it couldn't start.
int main(int argc, char** argv) {
    zantiva::settleIntoSurroundings();
    const double seconds = argc > 1 ? std::atof(argv[1]) : 1;
    int status = 1;
    {
        QCoreApplication application(argc, argv);
        zantiva::leaveUnusedProvidersOutOfDeviceWatch();
        zantiva::TonePlayer player;
        if (player.play(zantiva::AudioChannel::both, seconds)) {
            QTimer ended;
            QObject::connect(&ended, &QTimer::timeout, [&] {
                if (!player.isPlaying()) application.quit();
            });
            ended.start(20);
            application.exec();
            status = 0;
        }
    }
    std::puts(status == 0 ? "played" : "not played");
    std::fflush(stdout);
    zantiva::endProcess(status);
}
