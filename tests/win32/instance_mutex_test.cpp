// One instance per name: the first owns it while it lives.

#include "win32/instance_mutex.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace drovane {
namespace {

// Not "Drovane": a program running beside the tests must not see them.
std::wstring testName() {
    return L"DrovaneTest" + std::to_wstring(::GetCurrentProcessId());
}

TEST(InstanceMutex, ALaterStartSeesTheFirstUntilItEnds) {
    std::optional<InstanceMutex> first(std::in_place, testName());
    EXPECT_FALSE(first->anotherInstanceRuns());
    {
        const InstanceMutex second(testName());
        EXPECT_TRUE(second.anotherInstanceRuns());
    }
    first.reset();
    const InstanceMutex afterwards(testName());
    EXPECT_FALSE(afterwards.anotherInstanceRuns());
}

TEST(InstanceMutex, ANameThatCannotBeAMutexLetsTheProgramRun) {
    // A backslash names a namespace that does not exist.
    const InstanceMutex broken(L"NoSuchNamespace\\Drovane");
    EXPECT_FALSE(broken.anotherInstanceRuns());
}

} // namespace
} // namespace drovane
