// A listener hears every raise while its handle lives, and none after: a
// line gone since would be woken through a dangling cable.

#include "serial/abort_request.h"

#include <gtest/gtest.h>

namespace drovane {
namespace {

TEST(AbortListening, HearsEachRaiseWhileItsHandleLivesOnlyThen) {
    AbortRequest abort;
    int heard = 0;
    auto listening = abort.listen([&heard] { ++heard; });
    abort.raise();
    abort.raise(AbortRequest::Shutdown);
    EXPECT_EQ(heard, 2);

    AbortRequest::Listening moved = std::move(listening);
    abort.raise();
    EXPECT_EQ(heard, 3) << "a moved handle keeps listening";
    listening = {};
    abort.raise();
    EXPECT_EQ(heard, 4) << "the emptied one gives nothing up";

    moved = {};
    abort.raise();
    EXPECT_EQ(heard, 4);
}

} // namespace
} // namespace drovane
