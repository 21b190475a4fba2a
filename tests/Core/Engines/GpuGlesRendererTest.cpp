#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "../../Support/NoFreeDescriptors.h"
#include "../../Support/ThrownBy.h"
#include "../../Support/TinyGpuConfiguration.h"
#include "Engines/GPUBenchmarkError.h"
#include "Engines/GpuEglContext.h"
#include "Engines/GpuGlProgram.h"
#include "Engines/GpuGlesRenderer.h"
#include "Engines/GpuRenderTarget.h"
#include "Platform/BoundedProcess.h"

namespace zantiva {
namespace {

struct Pixel {
    int r, g, b, a;
};

Pixel at(const GpuPreviewImage& image, int x, int y) {
    const auto* p = image.rgba.data() + (static_cast<std::size_t>(y) * image.width + x) * 4;
    return {p[0], p[1], p[2], p[3]};
}

// The background of a preview row (from the top), gamma-encoded: the sky's gradient at
// the row's vertical position.
Pixel background(const GpuPreviewImage& image, int y) {
    const double v = 0.5 - (y + 0.5) / image.height; // uv.y: 0.5 at the top edge
    const double f = std::clamp(v + 0.5, 0.0, 1.0);
    auto channel = [f](double low, double high) {
        return static_cast<int>(std::lround(std::pow(low + (high - low) * f, 1 / 2.2) * 255));
    };
    return {channel(0.04, 0.18), channel(0.02, 0.05), channel(0.03, 0.09), 255};
}

void expectNear(const Pixel& seen, const Pixel& wanted, int tolerance, const char* where) {
    EXPECT_NEAR(seen.r, wanted.r, tolerance) << where;
    EXPECT_NEAR(seen.g, wanted.g, tolerance) << where;
    EXPECT_NEAR(seen.b, wanted.b, tolerance) << where;
    EXPECT_EQ(seen.a, 255) << where;
}

TEST(GpuGlesRenderer, RendersTheSceneWithBackgroundInTheCornersAndTheFractalInTheMiddle) {
    GpuGlesRenderer renderer(testing::tinyGpuFrame(), CancelToken());
    EXPECT_FALSE(renderer.adapterName().empty());

    const double ms = renderer.renderFrame(0);
    EXPECT_GT(ms, 0);
    const auto image = renderer.capturePreview();
    ASSERT_TRUE(image);
    ASSERT_EQ(image->width, 32);
    ASSERT_EQ(image->height, 18);
    ASSERT_EQ(image->rgba.size(), 32u * 18u * 4u);

    // The corners show the sky, lighter at the top: rows come top first.
    expectNear(at(*image, 0, 0), background(*image, 0), 2, "top left");
    expectNear(at(*image, 31, 0), background(*image, 0), 2, "top right");
    expectNear(at(*image, 0, 17), background(*image, 17), 2, "bottom left");
    expectNear(at(*image, 31, 17), background(*image, 17), 2, "bottom right");
    EXPECT_GT(at(*image, 0, 0).r, at(*image, 0, 17).r + 20);

    // The fractal fills the middle: lit, far from the sky's colour.
    const Pixel middle = at(*image, 16, 9);
    const Pixel sky = background(*image, 9);
    EXPECT_GT(std::abs(middle.r - sky.r) + std::abs(middle.g - sky.g) + std::abs(middle.b - sky.b), 60);
}

TEST(GpuGlesRenderer, AnyBandCountDrawsTheSameImage) {
    GpuGlesRenderer renderer(testing::tinyGpuFrame(), CancelToken());
    renderer.setBands(1);
    renderer.renderFrame(42);
    const auto whole = renderer.capturePreview();
    // More bands than the 72 scene rows: one row each, nothing drawn past the bottom.
    renderer.setBands(1000);
    renderer.renderFrame(42);
    const auto rows = renderer.capturePreview();
    renderer.setBands(7);
    renderer.renderFrame(42);
    const auto seven = renderer.capturePreview();
    ASSERT_TRUE(whole && rows && seven);
    EXPECT_EQ(*whole, *rows);
    EXPECT_EQ(*whole, *seven);
}

TEST(GpuGlesRenderer, SizesThatDoNotDivideTurnPreviewsOffAndCancelStopsBeforeABand) {
    GPUBenchmarkConfiguration odd = testing::tinyGpuFrame();
    odd.supersampleFactor = 3;
    odd.outputHeight = 37; // 111 rows, not a multiple of 6
    CancelToken cancel;
    GpuGlesRenderer renderer(odd, cancel);
    EXPECT_EQ(renderer.previewRatio(), 0);
    EXPECT_GT(renderer.renderFrame(0), 0);
    EXPECT_FALSE(renderer.capturePreview());
    cancel.cancel();
    EXPECT_THROW(renderer.renderFrame(1), CancellationError);
}

TEST(GpuGlesRenderer, DriverFailuresBecomeTheBenchmarksErrors) {
    const GpuEglContext context;
    // A stage without its entry point has no main(): the compiler's log comes with the error.
    const auto error = testing::thrownBy<GPUBenchmarkError>([] { GpuGlProgram("vertexMain", "noSuchFragment"); });
    const std::string start = "shader compilation failed — noSuchFragment: ";
    EXPECT_EQ(error.kind(), GPUBenchmarkError::Kind::shaderCompilation);
    EXPECT_EQ(error.detail().rfind(start, 0), 0u) << error.detail();
    EXPECT_GT(error.detail().size(), start.size());
    // A target beyond the driver's texture size limit.
    EXPECT_EQ(testing::thrownBy<GPUBenchmarkError>([] { GpuRenderTarget(GL_RGBA16F, 1 << 20, 8); }),
              GPUBenchmarkError::resourceAllocation());
}

// The child's part, in a process of its own that hasn't loaded the driver yet: with no
// descriptor free, nothing of it can be opened.
TEST(GpuEglContextChildProcess, WithoutFreeDescriptors) {
    if (!std::getenv("ZANTIVA_NO_DESCRIPTORS_CHILD")) GTEST_SKIP() << "runs only as the child of the test below";
    std::optional<GPUBenchmarkError::Kind> kind;
    {
        testing::NoFreeDescriptors exhausted;
        try {
            GpuEglContext context;
        } catch (const GPUBenchmarkError& error) {
            kind = error.kind();
        }
    }
    EXPECT_EQ(kind, GPUBenchmarkError::Kind::outOfDescriptors);
}

// A process out of descriptors can't open the driver: it is told so, not that there is no GPU.
TEST(GpuEglContext, WithoutFreeDescriptorsTheCauseIsTheDescriptors) {
    if (const auto why = testing::NoFreeDescriptors::unavailable()) GTEST_SKIP() << *why;
    ::setenv("ZANTIVA_NO_DESCRIPTORS_CHILD", "1", 1);
    const auto child = runBoundedProcess({"/proc/self/exe", "--gtest_filter=GpuEglContextChildProcess.WithoutFreeDescriptors"},
                                         std::chrono::seconds(60));
    ::unsetenv("ZANTIVA_NO_DESCRIPTORS_CHILD");
    ASSERT_TRUE(child);
    EXPECT_EQ(child->exitStatus, 0) << child->output;
    EXPECT_NE(child->output.find("[  PASSED  ] 1 test"), std::string::npos) << child->output;
}

} // namespace
} // namespace zantiva
