#include "cli/transfer_command.h"

#include "cli/cli_texts.h"
#include "cli/file_target.h"
#include "cli/machine_choice.h"
#include "cli/signal_watch.h"
#include "cli/stream_console.h"
#include "cli/word_path.h"
#include "core/text.h"
#include "machine/port_selecting_line.h"
#include "programs/program_file.h"
#include "programs/program_messages.h"
#include "transfer/job_settings.h"
#include "transfer/receive_job.h"
#include "transfer/send_job.h"
#include "transfer/sentence.h"
#include "transfer/transfer_job.h"
#include "window/profile_snapshot.h"
#include "window/restart_text.h"

#include <atomic>
#include <chrono>
#include <functional>

namespace drovane {
namespace {

namespace fs = std::filesystem;

constexpr std::chrono::milliseconds kTick(250);

std::optional<SettingsSnapshot> machineSnapshot(const CliArguments& arguments,
                                                const fs::path& settingsPath,
                                                const CliStreams& streams) {
    const MachineChoice choice = chooseMachine(settingsPath, arguments.machine);
    for (const std::string& warning : choice.warnings) {
        printLine(streams.err, warning);
    }
    if (!choice.profile) {
        printLine(streams.err, choice.error);
        return std::nullopt;
    }
    SettingsSnapshot snapshot =
        snapshotFromProfile(*choice.profile, windows1252FromUtf8(filePart(arguments.file)));
    if (arguments.port) {
        snapshot.portCombo = windows1252FromUtf8(*arguments.port);
    }
    return snapshot;
}

// The controls a job reads again while it runs; nobody edits them here.
LiveTexts liveTexts(const SettingsSnapshot& snapshot) {
    LiveTexts texts;
    texts.endCharField = snapshot.endCharField;
    texts.dtrDsrCheck = snapshot.dtrDsrCheck;
    texts.receiveControlFilterCombo = snapshot.receiveControlFilterCombo;
    texts.fileNameField = snapshot.fileNameField;
    return texts;
}

// A first signal that came before the job could start: nothing to abort, so
// the run ends here.
bool interruptedEarly(const SignalWatch& signals, const CliStreams& streams) {
    if (signals.take() == 0) {
        return false;
    }
    printLine(streams.err, cli_text::kInterrupted);
    return true;
}

// Everything one job needs, in the order it must come into being. The signal
// watch comes before it, so that the virtual machine's thread and the job's
// thread inherit the blocked signals.
class JobRun {
public:
    JobRun(const SignalWatch& signals, const SettingsSnapshot& snapshot, const CliStreams& streams,
           TransferDirection direction)
        : signals_(signals),
          console_(streams.out, streams.err, streams.progress ? streams.err : nullptr, direction),
          line_(1.0, VirtualMachineSettings{.endCharacter = endCharacter(snapshot.endCharField)}),
          live_(liveTexts(snapshot)), context_{line_, console_, abort_, lock_, live_} {
        line_.virtualMachine().setReport([this](std::string_view line) { console_.note(line); });
    }

    StreamConsole& console() { return console_; }
    const JobContext& context() const { return context_; }

    // Runs `body` on the job thread and serves signals and the console until
    // it has ended.
    void run(const std::function<void()>& body) {
        TransferJob job(abort_);
        std::atomic<bool> done = false;
        job.start([&] {
            body();
            done = true;
            signals_.wake();
        });
        for (;;) {
            signals_.waitFor(kTick);
            // A second signal ends the process in the watch itself.
            if (signals_.take() > 0) {
                console_.error(cli_text::kInterrupted);
                abort_.raise();
            }
            if (done) {
                break;
            }
            console_.tick();
        }
        job.wait();
        console_.finish();
    }

private:
    const SignalWatch& signals_;
    StreamConsole console_;
    PortSelectingLine line_;
    AbortRequest abort_;
    TransferLock lock_;
    LiveControls live_;
    JobContext context_;
};

} // namespace

ExitCode runSend(const CliArguments& arguments, const fs::path& settingsPath,
                 const CliStreams& streams) {
    const SignalWatch signals(toInt(ExitCode::Aborted));
    const auto snapshot = machineSnapshot(arguments, settingsPath, streams);
    if (!snapshot) {
        return ExitCode::UsageError;
    }
    std::optional<std::size_t> nulOffset;
    std::optional<std::string> program = readProgramFile(pathFromWord(arguments.file), nulOffset);
    if (!program) {
        printLine(streams.err, fill(cli_text::kFileUnreadable, arguments.file));
        return ExitCode::UsageError;
    }
    if (interruptedEarly(signals, streams)) {
        return ExitCode::Aborted;
    }
    if (nulOffset) {
        printLine(streams.err, program_messages::cutAtNulLine(*nulOffset));
    }
    std::size_t firstLine = 1;
    if (arguments.from) {
        Restart restart = prepareRestart(*program, *arguments.from);
        if (!restart.text) {
            printLine(streams.err, restart.refusal);
            return ExitCode::UsageError;
        }
        program = std::move(restart.text);
        firstLine = restart.line;
    }
    JobRun run(signals, *snapshot, streams, TransferDirection::Send);
    SendJob job(run.context(), *snapshot, std::move(*program), firstLine);
    run.run([&job] { job.run(); });
    if (run.console().openFailed()) {
        return ExitCode::PortNotOpened;
    }
    return run.console().sendFinished() ? ExitCode::Completed : ExitCode::Aborted;
}

ExitCode runReceive(const CliArguments& arguments, const fs::path& settingsPath,
                    const CliStreams& streams) {
    const SignalWatch signals(toInt(ExitCode::Aborted));
    const TargetCheck check = checkTarget(pathFromWord(arguments.file), arguments.overwrite);
    if (!check.decision) {
        printLine(streams.err, check.error);
        return ExitCode::UsageError;
    }
    const auto snapshot = machineSnapshot(arguments, settingsPath, streams);
    if (!snapshot) {
        return ExitCode::UsageError;
    }
    if (interruptedEarly(signals, streams)) {
        return ExitCode::Aborted;
    }
    JobRun run(signals, *snapshot, streams, TransferDirection::Receive);
    FileTarget target(pathFromWord(arguments.file), *check.decision, run.console(), settingsPath);
    ReceiveJob job(run.context(), *snapshot, target);
    run.run([&job] { job.run(); });
    if (run.console().openFailed()) {
        return ExitCode::PortNotOpened;
    }
    // The process ends here, unlike the window: what came must not go with it.
    // An abort whose text found no place must not exit as if it were kept.
    if (target.result() == SaveResult::NotReached) {
        if (const std::string received = run.console().editorText();
            !received.empty() && !target.rescue(received)) {
            return ExitCode::NotSaved;
        }
    }
    return receptionExitCode(target.result(), run.console().lineErrors());
}

ExitCode receptionExitCode(SaveResult result, bool lineErrors) {
    switch (result) {
    case SaveResult::NotReached:
        return ExitCode::Aborted;
    case SaveResult::Saved:
        return lineErrors ? ExitCode::SavedWithLineErrors : ExitCode::Completed;
    case SaveResult::NothingReceived:
    case SaveResult::Failed:
    case SaveResult::FileAppeared:
        break;
    }
    return ExitCode::NotSaved;
}

} // namespace drovane
