#include "service/dnc_main.h"

#include <iostream>

int main(int argc, char** argv) {
    const std::vector<std::string> words(argv + 1, argv + argc);
    return drovane::dncMain(words, std::cout, std::cerr);
}
