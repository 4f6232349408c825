#pragma once

// Which row a list shows at its top when the program selects an entry the
// operator typed for: on the first page the list stays at the top; further
// down the entry goes to the top, so it never sits half hidden on the last
// line; near the end the list shows its last full page.
namespace drovane {

int firstShownRow(int found, int rowsPerPage, int rowCount);

} // namespace drovane
