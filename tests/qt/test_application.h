#pragma once

#include <QApplication>

namespace drovane::testing {

// One QApplication for the whole test program, made on first use.
inline void ensureApplication() {
    static int argc = 1;
    static char name[] = "qt_handover_tests";
    static char* argv[] = {name, nullptr};
    if (QApplication::instance() == nullptr) {
        static QApplication application(argc, argv);
    }
}

} // namespace drovane::testing
