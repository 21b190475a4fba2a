#include "Media/DeviceWatch.h"

#include <gst/gst.h>

namespace zantiva {

void leaveUnusedProvidersOutOfDeviceWatch() {
    // Qt's own gst_init() later does nothing more; without GStreamer, Qt has no device watch.
    if (!gst_init_check(nullptr, nullptr, nullptr)) return;
    // A device watch starts only the providers ranked above none.
    GstPluginFeature* vulkan = gst_registry_lookup_feature(gst_registry_get(), "vulkandeviceprovider");
    if (!vulkan) return;
    gst_plugin_feature_set_rank(vulkan, GST_RANK_NONE);
    gst_object_unref(vulkan);
}

} // namespace zantiva
