// The abort request's wake descriptor is readable exactly while a request
// is raised: a left-over signal would keep a waiting line spinning.

#include "serial/abort_request.h"

#include <gtest/gtest.h>

#include <poll.h>

namespace drovane {
namespace {

bool readable(const AbortRequest& abort) {
    pollfd entry{static_cast<int>(abort.wakeSignal().native()), POLLIN, 0};
    return ::poll(&entry, 1, 0) == 1;
}

TEST(AbortWake, FollowsRaiseAndClearHoweverOftenRepeated) {
    AbortRequest abort;
    EXPECT_FALSE(readable(abort));
    abort.raise();
    abort.raise(AbortRequest::Shutdown);
    EXPECT_TRUE(readable(abort));
    abort.clear();
    EXPECT_FALSE(readable(abort)) << "one clear undoes two raises";
    abort.clear();
    abort.raise();
    EXPECT_TRUE(readable(abort));
}

} // namespace
} // namespace drovane
