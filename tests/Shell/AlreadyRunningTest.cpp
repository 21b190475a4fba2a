// What a refused launch tells: who holds the lock, with its host only when named otherwise.

#include <gtest/gtest.h>

#include "App/LockHolder.h"
#include "Shell/AlreadyRunning.h"

using namespace zantiva;

namespace {

TEST(AlreadyRunning, NamesTheHoldersProcessAndAHostNamedOtherwise) {
    const Loc english(AppLanguage::english);
    LockHolder holder = LockHolder::thisProcess();
    holder.process = 4242;
    const std::string here = alreadyRunningText(holder, english);
    EXPECT_NE(here.find("(process 4242)"), std::string::npos) << here;

    holder.host = "that-container";
    const std::string there = alreadyRunningText(holder, english);
    EXPECT_NE(there.find("(process 4242 on host that-container)"), std::string::npos) << there;
    EXPECT_NE(alreadyRunningText(holder, Loc(AppLanguage::persian)).find("4242 روی میزبان that-container"),
              std::string::npos);

    EXPECT_NE(alreadyRunningText(std::nullopt, english).find("couldn't be read"), std::string::npos);
}

} // namespace
