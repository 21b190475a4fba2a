// What a refused launch tells: who holds the lock, with its host only when named otherwise.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "App/LockHolder.h"
#include "Shell/AlreadyRunning.h"

using namespace zantiva;
using ::testing::HasSubstr;

namespace {

TEST(AlreadyRunning, NamesTheHoldersProcessAndAHostNamedOtherwise) {
    const Loc english(AppLanguage::english);
    LockHolder holder = LockHolder::thisProcess();
    holder.process = 4242;
    EXPECT_THAT(alreadyRunningText(holder, english), HasSubstr("(process 4242)"));
    holder.host = "that-container";
    EXPECT_THAT(alreadyRunningText(holder, english), HasSubstr("(process 4242 on host that-container)"));
    EXPECT_THAT(alreadyRunningText(holder, Loc(AppLanguage::persian)), HasSubstr("4242 روی میزبان that-container"));
    EXPECT_THAT(alreadyRunningText(std::nullopt, english), HasSubstr("couldn't be read"));
}

} // namespace
