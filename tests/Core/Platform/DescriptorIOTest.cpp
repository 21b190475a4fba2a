#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <string>
#include <thread>
#include <unistd.h>

#include "Platform/DescriptorIO.h"
#include "Platform/FileDescriptor.h"

namespace zantiva {
namespace {

using Clock = std::chrono::steady_clock;

struct Pipe {
    FileDescriptor readEnd, writeEnd;
    Pipe() {
        int fds[2];
        EXPECT_EQ(::pipe2(fds, O_CLOEXEC), 0);
        readEnd = FileDescriptor(fds[0]);
        writeEnd = FileDescriptor(fds[1]);
    }
};

// What `sent`, written with writeAll, brings the reader of the pipe, which starts reading
// `late`; the writer's end is closed then.
std::string receivedThrough(Pipe& channel, const std::string& sent, std::chrono::milliseconds late) {
    std::string received;
    std::thread reader([&] {
        std::this_thread::sleep_for(late);
        char buffer[4096];
        for (;;) {
            const ReadStep step = readWhenReady(channel.readEnd.get(), buffer, Clock::now() + std::chrono::minutes(1));
            if (step.outcome != ReadOutcome::data) return;
            received.append(buffer, step.size);
        }
    });
    EXPECT_FALSE(writeAll(channel.writeEnd.get(), sent));
    channel.writeEnd.reset();
    reader.join();
    return received;
}

TEST(DescriptorIO, ALargeBufferWrittenIntoAPipeArrivesWhole) {
    // Far more than a pipe holds, so the writer is cut short many times while the reader drains.
    std::string sent(8 << 20, '\0');
    for (std::size_t i = 0; i < sent.size(); ++i) sent[i] = char(i * 7 + i / 4096);
    Pipe channel;
    const std::string received = receivedThrough(channel, sent, {});
    EXPECT_TRUE(received == sent) << "received " << received.size() << " of " << sent.size() << " bytes";

    EXPECT_EQ(writeAll(channel.readEnd.get(), "x"), std::errc::bad_file_descriptor);

    // Made non-blocking (by another program that shares it) and full for a moment: waited on.
    Pipe shared;
    ::fcntl(shared.writeEnd.get(), F_SETFL, O_NONBLOCK);
    const std::string late = receivedThrough(shared, sent, std::chrono::milliseconds(200));
    EXPECT_TRUE(late == sent) << "received " << late.size() << " of " << sent.size() << " bytes";
}

TEST(DescriptorIO, AReadTellsDataTheEndAndNothingYetApart) {
    Pipe channel;
    char buffer[16];
    EXPECT_EQ(readWhenReady(channel.readEnd.get(), buffer, Clock::now()).outcome, ReadOutcome::nothingYet);

    ASSERT_FALSE(writeAll(channel.writeEnd.get(), "abc"));
    const ReadStep data = readWhenReady(channel.readEnd.get(), buffer, Clock::now());
    EXPECT_EQ(data.outcome, ReadOutcome::data);
    EXPECT_EQ(std::string(buffer, data.size), "abc");

    channel.writeEnd.reset();
    EXPECT_EQ(readWhenReady(channel.readEnd.get(), buffer, Clock::now()).outcome, ReadOutcome::endOfStream);

    // A folder is always "readable", but reading it fails.
    const FileDescriptor folder(::open("/", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    const ReadStep failed = readWhenReady(folder.get(), buffer, Clock::now());
    EXPECT_EQ(failed.outcome, ReadOutcome::failed);
    EXPECT_EQ(failed.error, std::errc::is_a_directory);
}

} // namespace
} // namespace zantiva
