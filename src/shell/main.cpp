#include "shell/startup.h"

int main(int argc, char* argv[]) {
    return drovane::runApplication(argc, argv);
}
