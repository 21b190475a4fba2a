#pragma once

namespace zantiva {

// The band rule: ⌈frame ms ÷ 400⌉, from 1 to 16 bands, so that each GPU submission
// stays near 400 ms or shorter on a slow GPU.
int bandsForFrameTime(double frameMs);

// One horizontal band of a frame: its first row and its row count (never 0).
struct GpuBand {
    int y = 0;
    int height = 0;
    bool operator==(const GpuBand&) const = default;
};

// A frame of `height` rows cut into bands of ⌈height ÷ bands⌉ rows, the last one
// possibly shorter. The count follows from the band height, so a request for more bands
// than that height allows (say 2,000 of 2,880 rows: 2-row bands) gives fewer bands
// instead of empty ones past the bottom. Requests below 1 count as 1.
class GpuBandLayout {
public:
    GpuBandLayout(int height, int requestedBands);

    int count() const { return count_; }
    int bandHeight() const { return bandHeight_; }
    GpuBand band(int index) const;

private:
    int height_;
    int bandHeight_;
    int count_;
};

} // namespace zantiva
