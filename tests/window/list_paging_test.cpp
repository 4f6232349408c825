#include "window/list_paging.h"

#include <gtest/gtest.h>

namespace {

TEST(ListPaging, TypedForEntryShowsAtTheTopOffTheLastLine) {
    const struct {
        int found;
        int perPage;
        int count;
        int top;
    } cases[] = {
        {-1, 10, 64, 0},                  // nothing found: back to the top
        {0, 10, 64, 0},   {9, 10, 64, 0}, // on the first page the list stays put
        {10, 10, 64, 10}, {47, 10, 64, 47}, {54, 10, 64, 54},
        {55, 10, 64, 54}, {63, 10, 64, 54}, // the last page is shown whole
        {5, 10, 6, 0},    {3, 0, 8, 3},     // a list too small for one row
    };
    for (const auto& c : cases) {
        EXPECT_EQ(drovane::firstShownRow(c.found, c.perPage, c.count), c.top)
            << c.found << " of " << c.count << ", " << c.perPage << " per page";
    }
}

} // namespace
