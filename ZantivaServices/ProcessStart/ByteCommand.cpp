#include "ProcessStart/ByteCommand.h"

#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <system_error>
#include <unistd.h>

#include <QFile>

#include "Platform/DescriptorSweep.h"

namespace zantiva {

// Made before the fork: the child of a program with threads may not allocate.
struct ByteCommand::Argv {
    std::vector<std::string> words;
    std::vector<char*> pointers;

    explicit Argv(std::vector<std::string> list) : words(std::move(list)) {
        for (std::string& word : words) pointers.push_back(word.data());
        pointers.push_back(nullptr);
    }
    Argv(const Argv&) = delete; // the pointers point into words
    Argv& operator=(const Argv&) = delete;
};

namespace {

// Why a start that failed before the exec failed, when it is a lack of descriptors. Qt's own
// reason names what errno held once its warning about the failure was on its way, and the
// first warning of a process reads the logging settings: out of descriptors, that start said
// "No such file or directory". A start takes about this many (the pipes of the three streams
// and of the start report, the child's handle), so they are asked for again here.
std::optional<std::string> descriptorsMissing(int anyOpen) {
    constexpr int takenByAStart = 8;
    std::vector<FileDescriptor> taken;
    for (int n = 0; n < takenByAStart; ++n) {
        const int copy = ::fcntl(anyOpen, F_DUPFD_CLOEXEC, 0);
        if (copy < 0) return std::generic_category().message(errno);
        taken.emplace_back(copy);
    }
    return std::nullopt;
}

} // namespace

ByteCommand::ByteCommand(std::vector<std::string> words) : argv_(std::make_shared<const Argv>(std::move(words))) {}

std::optional<std::string> ByteCommand::start(QProcess& process, QIODevice::OpenMode mode,
                                              std::function<void()> prepare, std::optional<int> keepReportAs) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return std::generic_category().message(errno);
    report_ = FileDescriptor(ends[0]);
    FileDescriptor reportWriter(ends[1]);
    // Only a name for QProcess's own messages: the child never returns to run it.
    process.setProgram(QFile::decodeName(QByteArray::fromStdString(argv_->words.front())));
    process.setChildProcessModifier([argv = argv_, writer = reportWriter.get(), prepare = std::move(prepare),
                                     keepReportAs, limit = descriptorLimit()] {
        // The program gets its standard streams (and the kept report) only: a descriptor this
        // program was started with, or took without close-on-exec, is none of its business.
        sweepDescriptors(3, DescriptorSweep::closeOnExec, limit);
        if (prepare) prepare();
        if (keepReportAs && *keepReportAs == writer)
            ::fcntl(writer, F_SETFD, 0);
        else if (keepReportAs)
            ::dup2(writer, *keepReportAs);
        ::execv(argv->pointers[0], argv->pointers.data());
        char digits[16];
        const auto end = std::to_chars(digits, digits + sizeof digits, errno).ptr;
        [[maybe_unused]] const auto written = ::write(writer, digits, end - digits);
        ::_exit(127);
    });
    process.start(mode);
    // The child holds its copy; this one would keep the report open past the program's end.
    reportWriter.reset();
    // Blocks only until exec() has run in the child; QCoro's asynchronous wait never returns when
    // the start fails at once.
    if (!process.waitForStarted(-1)) return descriptorsMissing(report_.get()).value_or(process.errorString().toStdString());
    return std::nullopt;
}

std::optional<std::string> ByteCommand::startFailure() const {
    char digits[16];
    const ssize_t length = ::read(report_.get(), digits, sizeof digits);
    if (length <= 0) return std::nullopt;
    int error = 0;
    const auto parsed = std::from_chars(digits, digits + length, error);
    if (parsed.ec != std::errc{} || error <= 0) return std::nullopt;
    return std::generic_category().message(error);
}

} // namespace zantiva
