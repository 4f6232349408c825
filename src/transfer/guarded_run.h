#pragma once

// What a job thread sets up around its body so that a fatal fault on it is
// still reported.

#include <functional>

namespace drovane {

void runGuarded(const std::function<void()>& body);

} // namespace drovane
