// A later start of the program, as the start-up runs it: take the first
// parameter, and when another instance holds the lock hand it over and end.
// Prints what happened so that tests can tell "sent" from "nobody listened".

#include "qt/single_instance.h"
#include "qt/start_parameter.h"

#include <cstdio>
#include <vector>

int main(int argc, char* argv[]) {
    if (argc < 2) {
        return 2;
    }
    const std::filesystem::path directory = argv[1];
    const std::vector<std::string_view> arguments(argv + 2, argv + argc);
    const drovane::InstanceLock lock(directory);
    if (lock.role() == drovane::InstanceLock::Role::First) {
        std::puts("first");
        return 0;
    }
    const auto result = drovane::sendHandOver(directory, drovane::startParameter(arguments));
    std::puts(result == drovane::HandOverResult::Sent         ? "sent"
              : result == drovane::HandOverResult::NoListener ? "no listener"
                                                              : "failed");
    return 0;
}
