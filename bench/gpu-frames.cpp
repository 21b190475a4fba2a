// The GPU engine's mean frame time against a bare loop that draws the same shader at the
// same size and frame indices: one full-frame draw, the resolve and the one-pixel
// read-back per frame, with no bands, waits, progress or stages around it.
// Usage: gpu-frames rounds [width height]; without a size: 320 × 180 (frames short enough
// for one band) and 640 × 360 (two bands) on a software renderer, the standard 2560 × 1440
// on a GPU.
#include <GLES3/gl32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "Engines/GPURaymarchBenchmark.h"
#include "Engines/GpuBands.h"
#include "Engines/GpuEglContext.h"
#include "Engines/GpuGlProgram.h"
#include "Engines/GpuRenderTarget.h"
#include "Platform/MonotonicClock.h"

using namespace zantiva;

namespace {

std::string adapterName() {
    const GpuEglContext context;
    return reinterpret_cast<const char*>(glGetString(GL_RENDERER));
}

bool isSoftware(const std::string& adapter) {
    return adapter.find("llvmpipe") != std::string::npos || adapter.find("softpipe") != std::string::npos;
}

void setParams(const GpuGlProgram& program, float width, float height, float time, float power, int ratio) {
    glUniform2f(program.uniform("params.resolution"), width, height);
    glUniform1f(program.uniform("params.time"), time);
    glUniform1f(program.uniform("params.power"), power);
    glUniform1i(program.uniform("params.resolveRatio"), ratio);
}

// Mean milliseconds of frames 0 … frames − 1 after a few untimed ones.
double bareLoop(const GPUBenchmarkConfiguration& c, int frames) {
    const GpuEglContext context;
    const GpuGlProgram raymarch("vertexMain", "raymarchFragment");
    const GpuGlProgram resolve("vertexMain", "resolveFragment");
    const GpuRenderTarget scene(GL_RGBA16F, c.internalWidth(), c.internalHeight());
    const GpuRenderTarget output(GL_RGBA8, c.outputWidth, c.outputHeight);
    unsigned char pixel[4];
    auto frame = [&](int index) {
        glBindFramebuffer(GL_FRAMEBUFFER, scene.framebuffer());
        glViewport(0, 0, scene.width(), scene.height());
        glUseProgram(raymarch.id());
        setParams(raymarch, static_cast<float>(scene.width()), static_cast<float>(scene.height()),
                  static_cast<float>(index) / 30.0F, c.power, c.supersampleFactor);
        glDrawArrays(GL_TRIANGLES, 0, 3);
        glBindFramebuffer(GL_FRAMEBUFFER, output.framebuffer());
        glViewport(0, 0, output.width(), output.height());
        glUseProgram(resolve.id());
        setParams(resolve, static_cast<float>(output.width()), static_cast<float>(output.height()), 0, c.power,
                  c.supersampleFactor);
        glBindTexture(GL_TEXTURE_2D, scene.texture());
        glDrawArrays(GL_TRIANGLES, 0, 3);
        glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    };
    for (int i = 0; i < 3; ++i) frame(100'000 + i);
    const auto start = monotonicRawNanoseconds();
    for (int i = 0; i < frames; ++i) frame(i);
    return nanosecondsToMilliseconds(monotonicRawNanoseconds() - start) / frames;
}

struct Sizes {
    int width, height;
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// `rounds` short alternations of engine and bare loop at one size; the machine's load
// drifts between rounds, so each round's ratio compares two neighbouring stretches and
// the median of the ratios is the overhead.
void compare(GPUBenchmarkConfiguration c, int rounds) {
    c.measuredFrames = 15;
    std::printf("\nsize: %d x %d (scene %d x %d), %d measured frames a round\n", c.outputWidth, c.outputHeight,
                c.internalWidth(), c.internalHeight(), c.measuredFrames);
    std::vector<double> engine, bare, ratios;
    for (int round = 1; round <= rounds; ++round) {
        std::fprintf(stderr, "%d x %d, round %d/%d\n", c.outputWidth, c.outputHeight, round, rounds);
        const auto result = GPURaymarchBenchmark(c).run(0, {}, {}, CancelToken());
        engine.push_back(result.averageFrameTimeMs);
        bare.push_back(bareLoop(c, static_cast<int>(result.totalFramesRendered)));
        ratios.push_back(engine.back() / bare.back());
    }
    const double e = median(engine);
    std::printf("engine: %.2f ms per frame, median of %d rounds (%d bands at that frame time)\n", e, rounds, bandsForFrameTime(e));
    std::printf("bare:   %.2f ms per frame, median (one draw)\n", median(bare));
    std::printf("overhead: %+.2f%%, median of the rounds' ratios (from %+.2f%% to %+.2f%%; goal under 3%%)\n",
                (median(ratios) - 1) * 100, (*std::min_element(ratios.begin(), ratios.end()) - 1) * 100,
                (*std::max_element(ratios.begin(), ratios.end()) - 1) * 100);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    const std::string adapter = adapterName();
    const int rounds = argc >= 2 ? std::max(std::atoi(argv[1]), 1) : 9;
    std::vector<Sizes> sizes;
    if (argc >= 4) sizes.push_back({std::atoi(argv[2]), std::atoi(argv[3])});
    else if (isSoftware(adapter)) sizes = {{320, 180}, {640, 360}};
    else sizes.push_back({2560, 1440});
    std::printf("adapter: %s\n", adapter.c_str());
    for (const Sizes& size : sizes) {
        GPUBenchmarkConfiguration c;
        c.outputWidth = size.width;
        c.outputHeight = size.height;
        compare(c, rounds);
    }
}
