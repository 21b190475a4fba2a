// The GPU page bound to a real app model's suite runner and specs: a page made before the
// specs are read names no adapter, and names it once they arrive.

#include <gtest/gtest.h>

#include "../App/AppModelFixture.h"
#include "../Support/SampleSpecs.h"
#include "LocalizedViews/LocNotifier.h"
#include "Stations/GPUStation.h"
#include "Stations/GPUStationBinding.h"
#include "Typography/HardwareText.h"

namespace zantiva::testing {
namespace {

class GPUStationBindingTest : public AppModelFixture {
protected:
    LocNotifier notifier{loc};
    GPUStation page;
};

TEST_F(GPUStationBindingTest, NamesTheAdapterOnceTheSpecsArrive) {
    AppModelSetup unread = setup();
    unread.specs.reset();
    unread.readSpecs = sampleLaptopSpecs;
    makeModel(std::move(unread));
    bindGPUStation(page, model->suite(), *model, notifier);
    page.show();
    EXPECT_TRUE(page.adapter()->isHidden());

    awaitTask(model->start());
    EXPECT_FALSE(page.adapter()->isHidden());
    EXPECT_EQ(page.adapterName()->text().toStdString(), sampleLaptopSpecs().gpuName);
}

} // namespace
} // namespace zantiva::testing
