#include "Account/BenchmarkSubmission.h"

#include <cmath>

#include <QByteArray>
#include <QCryptographicHash>

#include "Model/BenchmarkScoring.h"
#include "Model/DeviceProfile.h"
#include "Model/RawValues.h"

namespace zantiva {
namespace {

const CpuBenchmarkResult* verifiedCpu(const FinalBenchmarkReport& report) {
    return report.cpuResult && report.cpuResult->resultsVerified ? &*report.cpuResult : nullptr;
}

// Processors' worth to hundredths, as systemd's CPUQuota= percentages are: "2", "1.5", "0.33".
FormatArg processors(double worth) {
    const double shown = std::round(worth * 100) / 100;
    if (shown == std::trunc(shown)) return static_cast<std::int64_t>(shown);
    return shown;
}

} // namespace

std::optional<LocalizedMessage> BenchmarkSubmission::withheldBecause(const FinalBenchmarkReport& report) {
    const auto* cpu = verifiedCpu(report);
    if (!cpu || !report.specs) return std::nullopt;
    const std::int64_t machineThreads = report.specs->cpuThreads;
    if (cpu->threadsUsed < machineThreads)
        return LocalizedMessage("Main.ResultNotSubmitted.FewerThreads", cpu->threadsUsed, machineThreads);
    if (cpu->cpuQuota && *cpu->cpuQuota < static_cast<double>(machineThreads))
        return LocalizedMessage("Main.ResultNotSubmitted.CpuQuota", processors(*cpu->cpuQuota), machineThreads);
    return std::nullopt;
}

std::optional<BenchmarkSubmission> BenchmarkSubmission::make(const FinalBenchmarkReport& report,
                                                             std::optional<DeviceGrade> grade) {
    const auto* cpu = verifiedCpu(report);
    const auto* gpu = report.gpuResult ? &*report.gpuResult : nullptr;
    if ((!cpu && !gpu) || withheldBecause(report)) return std::nullopt;

    json::Json j = json::Json::object();
    json::put(j, "completed_at", report.completedAt);
    json::put(j, "overall_score", report.overallScore);
    json::put(j, "health_score", BenchmarkScoring::healthScore(report));
    json::put(j, "grade", grade);
    if (cpu) {
        json::put(j, "cpu_score", cpu->score);
        json::put(j, "cpu_single_core_score", cpu->singleCoreScore);
        json::put(j, "cpu_sustained_score", cpu->sustainedScore);
        json::put(j, "cpu_scoring_version", cpu->scoringVersion);
    }
    if (gpu) {
        json::put(j, "gpu_score", gpu->score);
        json::put(j, "gpu_average_fps", gpu->averageFps);
        json::put(j, "gpu_sustained_score", gpu->sustainedScore);
    }
    if (report.memoryResult) {
        json::put(j, "memory_read_mbps", report.memoryResult->averageReadThroughputMBps);
        json::put(j, "memory_write_mbps", report.memoryResult->averageWriteThroughputMBps);
    }
    if (report.specs) {
        const DeviceProfile device(*report.specs);
        if (device.hasAnything()) json::put(j, "device", device);
    }
    BenchmarkSubmission submission;
    submission.body_ = std::move(j);
    return submission;
}

std::string BenchmarkSubmission::fingerprint(std::int64_t userId) const {
    const std::string text = std::to_string(userId) + "\n" + body_.dump();
    return QCryptographicHash::hash(QByteArrayView(text.data(), qsizetype(text.size())), QCryptographicHash::Sha256)
        .toHex()
        .toStdString();
}

} // namespace zantiva
