#include "window/list_paging.h"

#include <algorithm>

namespace drovane {

int firstShownRow(int found, int rowsPerPage, int rowCount) {
    const int perPage = std::max(1, rowsPerPage);
    if (found < perPage) {
        return 0;
    }
    const int lastTop = std::max(0, rowCount - perPage);
    return std::min(found, lastTop);
}

} // namespace drovane
