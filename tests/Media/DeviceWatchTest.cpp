// The device watch that Qt Multimedia starts holds the providers of the devices the checks use,
// and none that would open a GPU driver for nothing.

#include <gtest/gtest.h>

#include <gst/gst.h>

#include <set>
#include <string>

#include "Media/DeviceWatch.h"

namespace zantiva {
namespace {

// The providers that a watch of every device class starts, as Qt Multimedia's does.
std::set<std::string> watchedProviders() {
    GstDeviceMonitor* monitor = gst_device_monitor_new();
    gst_device_monitor_add_filter(monitor, nullptr, nullptr);
    std::set<std::string> names;
    if (gchar** providers = gst_device_monitor_get_providers(monitor)) {
        for (gchar** name = providers; *name; ++name) names.insert(*name);
        g_strfreev(providers);
    }
    gst_object_unref(monitor);
    return names;
}

TEST(DeviceWatch, KeepsTheCameraAndSoundProvidersAndLeavesTheVulkanOneOut) {
    leaveUnusedProvidersOutOfDeviceWatch();
    const std::set<std::string> providers = watchedProviders();
    EXPECT_TRUE(providers.contains("v4l2deviceprovider"));
    EXPECT_TRUE(providers.contains("pulsedeviceprovider"));
    EXPECT_FALSE(providers.contains("vulkandeviceprovider"));
}

} // namespace
} // namespace zantiva
