#pragma once

namespace zantiva {

// Qt Multimedia 6.4's GStreamer back end watches the devices of every GStreamer device provider
// installed, and keeps only cameras, microphones and sound outputs of what they find. The
// Vulkan provider of gstreamer1.0-plugins-bad lists the Vulkan GPUs as video sinks: it would
// open a Vulkan instance, and with it the GPU's Vulkan driver, each time the watch starts, and
// where no Vulkan driver is installed it leaks the text of the error it met. This starts
// GStreamer and ranks that provider out of every device watch; the providers of the cameras
// and of the sound server stay. Call it before anything of Qt Multimedia is made; once GStreamer
// has started, a call again costs a look-up, and GStreamer's start (its registry read, or
// written anew after an update) stays off the window's start-up.
void leaveUnusedProvidersOutOfDeviceWatch();

} // namespace zantiva
