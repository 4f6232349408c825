// Linux only: a fault is reported from a signal handler, which needs a stack
// of its own on every thread that may overflow.

#include "transfer/transfer_job.h"

#include <gtest/gtest.h>

#include <csignal>

namespace drovane {
namespace {

TEST(TransferJobOnLinux, TheJobThreadCanReportItsOwnStackOverflow) {
    AbortRequest abort;
    TransferJob job(abort);
    stack_t seen{};
    seen.ss_flags = SS_DISABLE;
    ASSERT_TRUE(job.start([&] { ::sigaltstack(nullptr, &seen); }));
    job.wait();
    EXPECT_EQ(seen.ss_flags & SS_DISABLE, 0);
    EXPECT_NE(seen.ss_sp, nullptr);
    EXPECT_GE(seen.ss_size, static_cast<std::size_t>(MINSIGSTKSZ));
}

} // namespace
} // namespace drovane
