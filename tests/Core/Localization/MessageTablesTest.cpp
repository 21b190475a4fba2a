#include "Localization/MessageList.h"
#include "Localization/MessageTables.h"
#include "../../Support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

using namespace zantiva;
namespace fs = std::filesystem;

namespace {

// Every message key of the program, by area, in the order the message file keeps them.
constexpr std::array<std::string_view, 540> kKeys{
    // Common (12)
    "Common.BackToDashboard", "Common.Show", "Common.Hide", "Common.Pause", "Common.Resume", "Common.Stop",
    "Common.ReportIssue", "Common.Continue", "Common.Cancel", "Common.Elapsed", "Common.LiveUsage",
    "Common.NoIssues",
    // Pass (3)
    "Pass.Passed", "Pass.Failed", "Pass.NotRun",
    // Battery (19)
    "Battery.Charging", "Battery.NotCharging", "Battery.Sampling", "Battery.NoBattery", "Battery.NeedService",
    "Battery.Health", "Battery.Capacity", "Battery.Discharge", "Battery.ChargePercent", "Battery.GeneralInfo",
    "Battery.GeneralCharging", "Battery.GeneralNotCharging", "Battery.CycleNote", "Battery.Score",
    "Battery.Issue.Cycles", "Battery.Issue.Health", "Battery.Issue.NotCharging", "Battery.Issue.Critical",
    "Battery.NotScored",
    // App (2)
    "App.UnexpectedError.Title", "App.UnexpectedError.Body",
    // TitleBar (4)
    "TitleBar.Minimize", "TitleBar.Maximize", "TitleBar.Restore", "TitleBar.Close",
    // Header (4)
    "Header.LanguageTip", "Header.RefreshTip", "Header.SignIn", "Header.SignOut",
    // Telemetry (19)
    "Telemetry.Title", "Telemetry.Temperature", "Telemetry.Load", "Telemetry.CpuPowerClock",
    "Telemetry.GpuPowerFan", "Telemetry.Memory", "Telemetry.SystemFan", "Telemetry.SystemPower",
    "Telemetry.MemoryUsed", "Telemetry.Pressure.Normal", "Telemetry.Pressure.Warning",
    "Telemetry.Pressure.Critical", "Telemetry.Thermal", "Telemetry.Thermal.Nominal", "Telemetry.Thermal.Fair",
    "Telemetry.Thermal.Serious", "Telemetry.Thermal.Critical", "Telemetry.NotReported", "Telemetry.NoSensors",
    // Login (9)
    "Login.Title", "Login.Body", "Login.Site", "Login.Button", "Login.Waiting", "Login.Forgot",
    "Login.ContinueInBrowser", "Login.BrowserError", "Login.ContinueWithout",
    // Auth (8)
    "Auth.TokenRejected", "Auth.EmptyResponse", "Auth.NoSession", "Auth.LinkNotExpected", "Auth.CompletingSignIn",
    "Auth.SignInFailed", "Auth.SignInUnreachable", "Auth.SignedInOtherSite",
    // Dashboard (52)
    "Dashboard.Resume.Title", "Dashboard.Resume.Body", "Dashboard.Resume.Continue", "Dashboard.Resume.Discard",
    "Dashboard.Resume.DiscardTip", "Dashboard.GradeTip", "Dashboard.Processor", "Dashboard.Memory",
    "Dashboard.Graphics", "Dashboard.Storage", "Dashboard.Activity", "Dashboard.CpuHistoryTip",
    "Dashboard.RamHistoryTip", "Dashboard.GpuHistoryTip", "Dashboard.CpuHistory", "Dashboard.RamHistory",
    "Dashboard.GpuHistory", "Dashboard.CpuDetail", "Dashboard.RamDetail", "Dashboard.GpuDriver",
    "Dashboard.External.Title", "Dashboard.External.ToggleTip", "Dashboard.External.Intro",
    "Dashboard.External.ChooseExe", "Dashboard.External.NoFile", "Dashboard.External.GeekbenchNote",
    "Dashboard.External.CpuSingle", "Dashboard.External.CpuMulti", "Dashboard.External.RunAll",
    "Dashboard.External.FullPerformance", "Dashboard.External.Stop", "Dashboard.External.OpenCsv",
    "Dashboard.Duration", "Dashboard.Minutes", "Dashboard.Individual", "Dashboard.Test.Display",
    "Dashboard.Test.Ram", "Dashboard.Test.Cpu", "Dashboard.Test.Gpu", "Dashboard.Test.Performance",
    "Dashboard.Test.AudioMic", "Dashboard.Test.Battery", "Dashboard.Test.Input", "Dashboard.Test.Ssd",
    "Dashboard.Maintenance", "Dashboard.ScreenWasher", "Dashboard.ScreenWasherTip", "Dashboard.Firmware",
    "Dashboard.CpuCores", "Dashboard.GpuCores", "Dashboard.UnifiedMemory", "Dashboard.External",
    // Main (8)
    "Main.LoadingSpecs", "Main.SessionExpired", "Main.AccountRefreshFailed", "Main.ExternalMissing",
    "Main.CsvMissing", "Main.CsvOpenFailed", "Main.SsdPickFolder", "Main.StartFailed",
    // Result (50)
    "Result.Overall", "Result.Grade.PerformanceOnly", "Result.VerdictNote", "Result.PerformanceOnlyNote",
    "Result.Grade.Excellent", "Result.Grade.Good", "Result.Grade.Fair", "Result.Grade.NeedsAttention", "Result.Cpu",
    "Result.Gpu", "Result.GpuLabel", "Result.Memory", "Result.MemoryRead", "Result.MemoryWrite", "Result.Battery",
    "Result.Display", "Result.Keyboard", "Result.Peripherals", "Result.PeripheralsNote", "Result.CpuDetail",
    "Result.CpuDetailNoTemp", "Result.GpuDetail", "Result.GpuDetailSustained", "Result.MemoryErrors",
    "Result.BatteryDetail", "Result.NoIssues", "Result.IssuesCount", "Result.KeyboardDetail", "Result.Checks",
    "Result.Check.Display", "Result.Check.Audio", "Result.Check.MicCamera", "Result.Check.Input",
    "Result.CameraBypassed", "Result.Ssd", "Result.SsdOpen", "Result.SsdSeqRead", "Result.SsdSeqWrite",
    "Result.SsdRndRead", "Result.SsdRndWrite", "Result.SsdUnit", "Result.External", "Result.SingleCore",
    "Result.MultiCore", "Result.ProblemsNote", "Result.HealthScore", "Result.BatteryPenalty", "Result.Drives",
    "Result.CpuIntegrity", "Result.ViewLast",
    // DriveHealth (29)
    "DriveHealth.Title", "DriveHealth.Note", "DriveHealth.Disk", "DriveHealth.Status.Good",
    "DriveHealth.Status.Caution", "DriveHealth.Status.Bad", "DriveHealth.Status.Unknown", "DriveHealth.Life",
    "DriveHealth.Spare", "DriveHealth.Temp", "DriveHealth.Hours", "DriveHealth.Written", "DriveHealth.MediaErrors",
    "DriveHealth.NoData", "DriveHealth.Issue.SpareBelowThreshold", "DriveHealth.Issue.ReliabilityDegraded",
    "DriveHealth.Issue.ReadOnly", "DriveHealth.Issue.BackupFailed", "DriveHealth.Issue.FailurePredicted",
    "DriveHealth.Issue.WindowsUnhealthy", "DriveHealth.Issue.Overheated", "DriveHealth.Issue.WornOut",
    "DriveHealth.Issue.NearingWearLimit", "DriveHealth.Issue.MediaErrors", "DriveHealth.Issue.UncorrectedErrors",
    "DriveHealth.Issue.WindowsWarning", "DriveHealth.Issue.SystemUnhealthy", "DriveHealth.Issue.SystemWarning",
    "DriveHealth.Used",
    // Module (16)
    "Module.CpuBenchmark.Title", "Module.CpuBenchmark.Subtitle", "Module.GpuBenchmark.Title",
    "Module.GpuBenchmark.Subtitle", "Module.RamTest.Title", "Module.RamTest.Subtitle", "Module.Display.Title",
    "Module.Display.Subtitle", "Module.Audio.Title", "Module.Audio.Subtitle", "Module.MicCamera.Title",
    "Module.MicCamera.Subtitle", "Module.Battery.Title", "Module.Battery.Subtitle", "Module.Input.Title",
    "Module.Input.Subtitle",
    // Audio (15)
    "Audio.LeftChannel", "Audio.RightChannel", "Audio.PlayTone", "Audio.HeardLeft", "Audio.HeardRight",
    "Audio.MusicTrack", "Audio.MusicNote", "Audio.Left", "Audio.Both", "Audio.Right", "Audio.PlayTrack",
    "Audio.MuteTip", "Audio.TrackMissing", "Audio.Instruction", "Audio.ToneFailed",
    // Cpu (19)
    "Cpu.Temperature", "Cpu.Usage", "Cpu.PackagePower", "Cpu.Throttle", "Cpu.ChartLoad", "Cpu.ChartTemperature",
    "Cpu.ChartPower", "Cpu.MultiScore", "Cpu.SingleScore", "Cpu.Phase.Multi", "Cpu.Phase.Single",
    "Cpu.Phase.Sustained", "Cpu.LiveScore", "Cpu.SustainedScore", "Cpu.ReferenceShort", "Cpu.Reference",
    "Cpu.SustainedNote", "Cpu.Verified", "Cpu.Unverified",
    // Input (12)
    "Input.Step1", "Input.NextKeys", "Input.Step2", "Input.FinishKeys", "Input.Step3", "Input.NoMissing",
    "Input.Missing", "Input.DoublePressed", "Input.Touchpad", "Input.KeysHint", "Input.LastKey",
    "Input.TrackpadSeen",
    // Mic (12)
    "Mic.CameraBypassed", "Mic.Camera", "Mic.Mic", "Mic.Microphone", "Mic.PitchNote", "Mic.Level", "Mic.NoPitch",
    "Mic.Instruction", "Mic.NoMicrophone", "Mic.AccessDenied", "Mic.StartFailed", "Mic.CameraFailed",
    // Ram (6)
    "Ram.Write", "Ram.Read", "Ram.Errors", "Ram.ErrorsBadge", "Ram.PhaseWrite", "Ram.PhaseVerify",
    // Display (27)
    "Display.Running", "Display.Label.DeadPixel", "Display.Label.Refresh", "Display.Label.Checklist",
    "Display.Issue.DeadPixels", "Display.Issue.Ghosting", "Display.Issue.Brightness", "Display.Issue.BurnIn",
    "Display.Issue.Bleed", "Display.Issue.Refresh", "Display.Intro.Title", "Display.Intro.Body",
    "Display.Intro.Advance", "Display.Intro.Exit", "Display.Intro.Begin", "Display.Refresh.Title",
    "Display.Refresh.Body", "Display.Refresh.Done", "Display.Checklist.Title", "Display.Checklist.DeadPixels",
    "Display.Checklist.Ghosting", "Display.Checklist.Brightness", "Display.Checklist.BurnIn",
    "Display.Checklist.Bleed", "Display.Checklist.Refresh", "Display.Checklist.Finish", "Display.Exit",
    // ExtRun (36)
    "ExtRun.Running", "ExtRun.Load", "ExtRun.Temperature", "ExtRun.Power", "ExtRun.Results", "ExtRun.CooldownStep",
    "ExtRun.CooldownStatus", "ExtRun.StepCounter", "ExtRun.Kind.GeekbenchCpu", "ExtRun.Starting", "ExtRun.Done",
    "ExtRun.Cancelled", "ExtRun.Error", "ExtRun.ErrorBox.Title", "ExtRun.ErrorBox.Body",
    "ExtRun.ReadingGeekbenchScore", "ExtRun.GeekbenchVerify.Status", "ExtRun.GeekbenchVerify.Title",
    "ExtRun.GeekbenchVerify.Banner", "ExtRun.GeekbenchSaved", "ExtRun.GeekbenchSaved.Title",
    "ExtRun.GeekbenchSaved.Body", "ExtRun.GeekbenchUploadFailed", "ExtRun.GeekbenchUploadFailed.Body",
    "ExtRun.UnsupportedSystem", "ExtRun.Elapsed", "ExtRun.NoProgress", "ExtRun.Console", "ExtRun.ConsoleEmpty",
    "ExtRun.CooldownRemaining", "ExtRun.SkipCooldown", "ExtRun.Problems", "ExtRun.NoScores", "ExtRun.Exited",
    "ExtRun.NoScoreLine", "ExtRun.CouldNotLaunch",
    // Cooldown (4)
    "Cooldown.Title", "Cooldown.Heading", "Cooldown.Body", "Cooldown.Skip",
    // Washer (45)
    "Washer.WindowTitle", "Washer.Title", "Washer.Subtitle", "Washer.WarningTitle", "Washer.WarningBody",
    "Washer.WarningTip", "Washer.TimeTitle", "Washer.TimeBody", "Washer.HowLong", "Washer.Quick", "Washer.Standard",
    "Washer.Deep", "Washer.Infinite", "Washer.StartingPattern", "Washer.PatternNoise", "Washer.PatternRgbw",
    "Washer.PatternGradient", "Washer.AutoCycle", "Washer.WhichScreen", "Washer.Controls", "Washer.InspectTip",
    "Washer.Consent", "Washer.Start", "Washer.ChangeSlide", "Washer.Flashing", "Washer.Btn.Noise",
    "Washer.Btn.Rgbw", "Washer.Btn.Gradient", "Washer.Btn.Inspect", "Washer.Stop", "Washer.SlideCounter",
    "Washer.Elapsed", "Washer.Left", "Washer.Pattern.Noise", "Washer.Pattern.ColorCycle", "Washer.Pattern.Gradient",
    "Washer.Pattern.Slides", "Washer.Slide.Gray5", "Washer.Slide.Gray10", "Washer.Slide.Gray20",
    "Washer.Slide.Gray50", "Washer.Summary.Quick", "Washer.Summary.Standard", "Washer.Summary.Deep",
    "Washer.Summary.Manual",
    // Color (5)
    "Color.Red", "Color.Green", "Color.Blue", "Color.White", "Color.Black",
    // External (13)
    "External.PickExe", "External.ExeFilter", "External.Found", "External.NotThisApp", "External.WrongVersion",
    "External.NoCommandLineTool", "External.NotExecutable", "External.OpeningImage", "External.FromImage",
    "External.ImageFailed", "External.NotOnImage", "External.Moved", "External.CsvWritten",
    // Gpu (27)
    "Gpu.Title", "Gpu.Subtitle", "Gpu.Adapter", "Gpu.Stage.Initializing", "Gpu.Stage.WarmUp", "Gpu.Stage.Measuring",
    "Gpu.Stage.Sustained", "Gpu.Stage.Done", "Gpu.LiveScore", "Gpu.FrameTime", "Gpu.Elapsed", "Gpu.FinalScore",
    "Gpu.Sustained", "Gpu.SustainedNone", "Gpu.Reference", "Gpu.AvgFrame", "Gpu.Preview", "Gpu.PreviewPending",
    "Gpu.Usage", "Gpu.Temperature", "Gpu.Power", "Gpu.LiveUsage", "Gpu.ChartLoad", "Gpu.ChartTemperature",
    "Gpu.ChartPower", "Gpu.Error", "Gpu.DeviceRemoved",
    // Suite (11)
    "Suite.Title", "Suite.Resumed", "Suite.Stop", "Suite.StopConfirm.Title", "Suite.StopConfirm.Body",
    "Suite.StopConfirm.Cancel", "Suite.StopConfirm.Confirm", "Suite.PeripheralBypass", "Suite.DisplayOpen",
    "Suite.ReadingSmart", "Suite.StationFailed",
    // Status (7)
    "Status.Pending", "Status.Running", "Status.Passed", "Status.Failed", "Status.Skipped", "Status.Cancelled",
    "Status.Bypassed",
    // Update (13)
    "Update.Available", "Update.YouHave", "Update.Released", "Update.Size", "Update.Download", "Update.OpenSite",
    "Update.Later", "Update.LaterTip", "Update.ShowNotes", "Update.NotesTitle", "Update.HowTo", "Update.OpenFailed",
    "Update.CurrentVersion",
    // Ssd (27)
    "Ssd.Title", "Ssd.ResultsTitle", "Ssd.Phase.Preparing", "Ssd.Phase.Settling", "Ssd.Phase.SeqRead",
    "Ssd.Phase.SeqWrite", "Ssd.Phase.RndRead", "Ssd.Phase.RndWrite", "Ssd.Phase.Rnd1Read", "Ssd.Phase.Rnd1Write",
    "Ssd.RandomQ1", "Ssd.RandomQ1Note", "Ssd.ErrorTitle", "Ssd.Error.NotEnoughSpace", "Ssd.Error.AccessDenied",
    "Ssd.Error.WriteProtected", "Ssd.Error.DirectIoUnsupported", "Ssd.Error.TargetUnavailable", "Ssd.Live",
    "Ssd.Sequential", "Ssd.Random", "Ssd.Read", "Ssd.Write", "Ssd.Method", "Ssd.Error", "Ssd.Target", "Ssd.Latency",
    // PawnIo (15)
    "PawnIo.WindowTitle", "PawnIo.Title", "PawnIo.Subtitle", "PawnIo.WithoutTitle", "PawnIo.WithoutCpu",
    "PawnIo.WithoutFan", "PawnIo.StillWorks", "PawnIo.Why", "PawnIo.DontAskAgain", "PawnIo.Install",
    "PawnIo.Continue", "PawnIo.Status.Running", "PawnIo.Status.Success", "PawnIo.Status.Cancelled",
    "PawnIo.Status.Failed",
    // Net (5)
    "Net.Unreachable", "Net.ServerError", "Net.RateLimited", "Net.Rejected", "Net.UntrustedResponse",
    // Bench (5)
    "Bench.Title", "Bench.Stop", "Bench.Stopped", "Bench.NotRunYet", "Bench.ThrottleNote",
    // Appended (1)
    "Update.InstallHowTo",
};

std::set<std::string> placeholders(std::string_view text) {
    static const std::regex placeholder(R"(\{[^{}]*\})");
    std::set<std::string> found;
    const std::string owned(text);
    for (auto it = std::sregex_iterator(owned.begin(), owned.end(), placeholder); it != std::sregex_iterator(); ++it)
        found.insert(it->str());
    return found;
}

} // namespace

TEST(MessageTables, HoldExactlyTheListedKeysInBothLanguages) {
    const std::set<std::string_view> listed(kKeys.begin(), kKeys.end());
    ASSERT_EQ(listed.size(), kKeys.size()) << "the key list itself repeats a key";
    for (const auto* table : {&StringsEn::table(), &StringsFa::table()}) {
        std::set<std::string_view> held;
        for (const auto& [key, text] : *table) held.insert(key);
        std::vector<std::string_view> missing, extra;
        std::set_difference(listed.begin(), listed.end(), held.begin(), held.end(), std::back_inserter(missing));
        std::set_difference(held.begin(), held.end(), listed.begin(), listed.end(), std::back_inserter(extra));
        EXPECT_TRUE(missing.empty()) << "missing, first: " << (missing.empty() ? "" : missing.front());
        EXPECT_TRUE(extra.empty()) << "not listed, first: " << (extra.empty() ? "" : extra.front());
    }
}

TEST(MessageTables, MessageFileKeepsTheKeysInListOrder) {
    const auto list = messageList();
    ASSERT_EQ(list.size(), kKeys.size());
    for (std::size_t i = 0; i < list.size(); ++i) EXPECT_EQ(list[i].key, kKeys[i]) << "at position " << i;
}

TEST(MessageTables, BothTextsOfAKeyAreFilledAndNameTheSamePlaceholders) {
    const auto& persian = StringsFa::table();
    for (const auto& [key, english] : StringsEn::table()) {
        const auto found = persian.find(key);
        ASSERT_NE(found, persian.end()) << key;
        EXPECT_FALSE(english.empty()) << key;
        EXPECT_FALSE(found->second.empty()) << key;
        EXPECT_EQ(placeholders(english), placeholders(found->second)) << key;
    }
}

TEST(MessageTables, PlaceholdersUseOnlyIndicesAndFormatsTheCallersPass) {
    // Callers pass at most three arguments and format them with these specs; no width, no escaped brace.
    static const std::regex allowed(R"(\{[0-2](:(0|0\.0|0\.00|N0))?\})");
    for (const auto* table : {&StringsEn::table(), &StringsFa::table()})
        for (const auto& [key, text] : *table) {
            for (const auto& item : placeholders(text)) EXPECT_TRUE(std::regex_match(item, allowed)) << key << ": " << item;
            EXPECT_EQ(std::string_view(text).find("{{"), std::string_view::npos) << key;
        }
}

TEST(MessageTables, PersianTextsUsePersianLettersAndJoinedVerbPrefixes) {
    // "می"/"نمی" before a verb is joined with a zero-width non-joiner, never with a blank.
    static const std::regex detachedPrefix("(^|\\s)(ن?می) ");
    for (const auto& [key, text] : StringsFa::table()) {
        for (std::string_view arabic : {"\u064A", "\u0643", "\u0649"})
            EXPECT_EQ(text.find(arabic), std::string_view::npos) << key << " holds an Arabic letter";
        EXPECT_FALSE(std::regex_search(std::string(text), detachedPrefix)) << key;
    }
}

TEST(MessageTables, EnglishTextsNameThisComputerAndItsSystem) {
    static const std::regex macWording(R"(\bMac\b|macOS|System Settings|\bMetal\b)");
    for (const auto& [key, text] : StringsEn::table())
        EXPECT_FALSE(std::regex_search(std::string(text), macWording)) << key << ": " << text;
}

TEST(MessageTables, FixedTextsStandAsWritten) {
    const auto& en = StringsEn::table();
    const auto& fa = StringsFa::table();
    EXPECT_EQ(en.at("Result.HealthScore"), "Health score {0:0.0} of 100");
    EXPECT_EQ(fa.at("Result.HealthScore"), "امتیاز سلامت {0:0.0} از 100");
    EXPECT_EQ(en.at("Common.BackToDashboard"), "← Back to Dashboard");
    EXPECT_EQ(fa.at("Common.BackToDashboard"), "→ بازگشت به داشبورد");
    EXPECT_EQ(en.at("App.UnexpectedError.Body"),
              "Something unexpected went wrong, and parts of the app may not work correctly:\n\n{0}\n\n"
              "If this keeps happening, please report this message.");
    EXPECT_EQ(en.at("Status.Bypassed"), "N/A (Bypassed by User)");
    EXPECT_EQ(fa.at("Dashboard.CpuDetail"), "{0} هسته / {1} رشته · {2:0.00} GHz");
    EXPECT_EQ(en.at("Mic.NoMicrophone"), "No microphone was found on this computer.");
}

TEST(MessageTables, LookupIsExactAndCaseSensitive) {
    EXPECT_TRUE(StringsEn::table().contains("Result.HealthScore"));
    EXPECT_FALSE(StringsEn::table().contains("result.healthscore"));
    EXPECT_FALSE(StringsFa::table().contains("Result.Healthscore"));
    EXPECT_FALSE(StringsEn::table().contains("Result.HealthScore "));
}

TEST(MessageTables, ReadsFromManyThreadsShareOneTable) {
    constexpr int threadCount = 8;
    std::array<const void*, threadCount> english{}, persian{};
    std::vector<std::thread> threads;
    for (int i = 0; i < threadCount; ++i)
        threads.emplace_back([&, i] {
            english[i] = &StringsEn::table();
            persian[i] = &StringsFa::table();
        });
    for (auto& thread : threads) thread.join();
    for (int i = 0; i < threadCount; ++i) {
        EXPECT_EQ(english[i], &StringsEn::table());
        EXPECT_EQ(persian[i], &StringsFa::table());
    }
}

namespace {

// Runs the build's message generator on a file written into a scratch folder.
class MessageListGenerator : public ::testing::Test {
protected:
    struct Run {
        int status = -1;
        std::string errors;
    };

    Run generate(const std::string& content) {
        zantiva::testing::writeRaw(folder / "messages.tsv", content);
        const std::string input = (folder / "messages.tsv").string();
        const std::string output = (folder / "MessageList.cpp").string();
        const std::string errorFile = (folder / "stderr.txt").string();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        std::string program = ZANTIVA_MESSAGE_GENERATOR;
        std::vector<char*> argv{program.data(), const_cast<char*>(input.c_str()), const_cast<char*>(output.c_str()),
                                nullptr};
        pid_t pid = 0;
        Run run;
        if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
            int status = 0;
            waitpid(pid, &status, 0);
            run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        std::ifstream errors(errorFile);
        run.errors.assign(std::istreambuf_iterator<char>(errors), std::istreambuf_iterator<char>());
        return run;
    }

    std::string output() const {
        std::ifstream file(folder / "MessageList.cpp");
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

    zantiva::testing::TemporaryFolder scratch;
    const fs::path folder = scratch.path();
};

} // namespace

TEST_F(MessageListGenerator, TurnsAValidFileIntoTheList) {
    const auto run = generate("# comment\n\n"
                              "Net.ServerError\t{0} failed (error {1})\\n\"quoted\" a\\\\b\t{1} خطا {0}\\tپایان\n"
                              "Common.Show\tShow\tنمایش");
    ASSERT_EQ(run.status, 0) << run.errors;
    const auto source = output();
    EXPECT_NE(source.find(R"({"Net.ServerError", "{0} failed (error {1})\n\"quoted\" a\\b", "{1} خطا {0}\tپایان"},)"),
              std::string::npos)
        << source;
    EXPECT_NE(source.find(R"({"Common.Show", "Show", "نمایش"},)"), std::string::npos);
}

TEST_F(MessageListGenerator, RefusesEveryFaultWithItsLineAndWritesNothing) {
    const std::string good = "Common.Show\tShow\tنمایش\n";
    const struct {
        std::string content;
        std::string expected;
    } cases[] = {
        {good + good, "messages.tsv:2: duplicate key Common.Show (first on line 1)"},
        {good + "Common.Hide\tHide\n", "messages.tsv:2: expected key, English and Persian"},
        {good + "Common.Hide\tHide\tپنهان\textra\n", "messages.tsv:2: expected key, English and Persian"},
        {"common.hide\tHide\tپنهان\n", "messages.tsv:1: malformed key"},
        {"Common\tHide\tپنهان\n", "messages.tsv:1: malformed key"},
        {"Common.Hide\tHide\\x\tپنهان\n", "messages.tsv:1: Common.Hide: unknown escape \\x"},
        {"Common.Hide\tHide\\\tپنهان\n", "messages.tsv:1: Common.Hide: backslash at the end"},
        {"Common.Hide\tHide\r\tپنهان\n", "messages.tsv:1: Common.Hide: raw control character"},
        {"Common.Hide\t\tپنهان\n", "messages.tsv:1: Common.Hide: empty text"},
        {"Net.Rejected\tRefused: {0}\tرد شد: {1}\n", "messages.tsv:1: Net.Rejected: placeholders differ"},
        {"Net.Rejected\tRefused: {0:0.0}\tرد شد: {0}\n", "messages.tsv:1: Net.Rejected: placeholders differ"},
        {"Common.Hide\tHide\tپنهان كردن\n", "messages.tsv:1: Common.Hide: Arabic yeh or kaf"},
        {"Common.Hide\tHide\t\xff\n", "messages.tsv:1: not valid UTF-8"},
        {"# only a comment\n", "no messages"},
    };
    for (const auto& [content, expected] : cases) {
        fs::remove(folder / "MessageList.cpp");
        const auto run = generate(content);
        EXPECT_EQ(run.status, 1) << expected;
        EXPECT_NE(run.errors.find(expected), std::string::npos) << "wanted: " << expected << "\ngot: " << run.errors;
        EXPECT_FALSE(fs::exists(folder / "MessageList.cpp")) << expected;
    }
}
