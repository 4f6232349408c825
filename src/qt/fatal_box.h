#pragma once

// The process that shows the "Programmfehler" box for a faulted instance.

#include <QString>
#include <memory>

class QMessageBox;

namespace drovane {

// The program was started only to show the box (FatalBoxOption TEXT).
bool isFatalBoxCall(int argc, char* argv[]);

std::unique_ptr<QMessageBox> makeFatalBox(const QString& text);

// Shows the box with the text of the call until it is closed; returns the
// exit code 0. Call from main() before anything else when isFatalBoxCall().
int runFatalBox(int argc, char* argv[]);

} // namespace drovane
