// Real faults in child processes must reach the box process with the exact
// text, and the faulted process must wait for the box and end with 0.

#include "core/alternate_signal_stack.h"
#include "core/current_line.h"
#include "programs/program_file.h"
#include "qt/fatal_error_handler.h"
#include "transfer/transfer_job.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <new>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace drovane;
namespace fs = std::filesystem;

namespace {

int* volatile nowhere = nullptr;
volatile int zero = 0;
volatile int numerator = 7; // 1 / x would be compiled without a division
volatile int sink = 0;

int recurseForever(int depth) {
    volatile char frame[512];
    frame[0] = static_cast<char>(depth);
    if (zero == 0) { // always, but the compiler cannot prove it
        sink = recurseForever(depth + 1);
    }
    return frame[0];
}

struct Outcome {
    int exitCode = -1;
    bool exited = false;
    std::string boxText;
    bool boxShown = false;
};

class FatalErrorHandler : public ::testing::Test {
protected:
    void SetUp() override {
        record = fs::temp_directory_path() /
                 ("fatal_box_" + std::to_string(::getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove(record);
    }
    void TearDown() override { fs::remove(record); }

    // The stand-in box: takes a moment, as an operator would, then records
    // the text it was asked to show.
    FatalBoxCommand standIn() const {
        const std::string script =
            R"(sleep 0.2; [ "$1" = --fatal-box ] && printf %s "$2" > ')" + record.string() + "'";
        return {"/bin/sh", {"-c", script, "box"}};
    }

    // The test framework catches exceptions of a test body; nothing may
    // catch these, as in the program.
    static void runUncaught(const std::function<void()>& fault) noexcept { fault(); }

    Outcome runFaultingChild(int line, const std::function<void()>& fault) const {
        fs::remove(record);
        const pid_t child = ::fork();
        if (child == 0) {
            installFatalErrorHandler(standIn());
            CurrentLine.store(line);
            runUncaught(fault);
            ::_exit(99); // the fault did not happen
        }
        Outcome outcome;
        int status = 0;
        ::waitpid(child, &status, 0);
        outcome.exited = WIFEXITED(status);
        outcome.exitCode = outcome.exited ? WEXITSTATUS(status) : -WTERMSIG(status);
        std::ifstream in(record, std::ios::binary);
        outcome.boxShown = in.good();
        outcome.boxText.assign(std::istreambuf_iterator<char>(in), {});
        return outcome;
    }

    void expectBox(const Outcome& outcome, const std::string& text) const {
        EXPECT_TRUE(outcome.exited);
        EXPECT_EQ(outcome.exitCode, 0);
        EXPECT_TRUE(outcome.boxShown) << "the process ended before the box was closed";
        EXPECT_EQ(outcome.boxText, text);
    }

    fs::path record;
};

} // namespace

TEST_F(FatalErrorHandler, ProcessorFaultsOfTheMainThread) {
    expectBox(runFaultingChild(101, [] { *nowhere = 1; }), "Invalid memory access Zeile: 101");
    expectBox(runFaultingChild(102, [] { sink = numerator / zero; }),
              "Division by zero  Zeile: 102");
    expectBox(runFaultingChild(103, [] { sink = recurseForever(0); }), "Stack overflow Zeile: 103");
    expectBox(runFaultingChild(104, [] { std::abort(); }), "Unknown error code Zeile: 104");
}

TEST_F(FatalErrorHandler, TheProgramsOwnCodesHaveTwoBlanksBeforeTheLine) {
    expectBox(runFaultingChild(201, [] { RaiseFatal(8); }),
              "AllocateMemory fehlgeschlagen!  Zeile: 201");
    expectBox(runFaultingChild(202, [] { RaiseFatal(7); }),
              "Funktionsaufruf fehlgeschlagen!  Zeile: 202");
}

TEST_F(FatalErrorHandler, FaultsOfAnotherThreadTakeTheSameRoad) {
    expectBox(runFaultingChild(301,
                               [] {
                                   std::thread job([] { throw std::runtime_error("lost"); });
                                   job.join();
                               }),
              "Unknown error code Zeile: 301");
    expectBox(runFaultingChild(302,
                               [] {
                                   std::thread job([] { throw std::bad_alloc(); });
                                   job.join();
                               }),
              "AllocateMemory fehlgeschlagen!  Zeile: 302");
    expectBox(runFaultingChild(303,
                               [] {
                                   std::thread job([] { *nowhere = 2; });
                                   job.join();
                               }),
              "Invalid memory access Zeile: 303");
    expectBox(runFaultingChild(304,
                               [] {
                                   std::thread job([] {
                                       const AlternateSignalStack ownStack;
                                       sink = recurseForever(0);
                                   });
                                   job.join();
                               }),
              "Stack overflow Zeile: 304");
}

TEST_F(FatalErrorHandler, AnUncaughtBadAllocIsCodeEight) {
    expectBox(runFaultingChild(401, [] { throw std::bad_alloc(); }),
              "AllocateMemory fehlgeschlagen!  Zeile: 401");
}

TEST_F(FatalErrorHandler, AJobThreadOverflowingItsStackIsReported) {
    expectBox(runFaultingChild(501,
                               [] {
                                   AbortRequest abort;
                                   TransferJob job(abort);
                                   job.start([] { sink = recurseForever(0); });
                                   job.wait();
                               }),
              "Stack overflow Zeile: 501");
}

TEST_F(FatalErrorHandler, AProgramFileTooLargeForMemoryIsCodeEight) {
    // A sparse file that claims far more than the process may allocate.
    const fs::path huge = record.string() + ".nc";
    { std::ofstream create(huge); }
    fs::resize_file(huge, 1UL << 31U);
    expectBox(runFaultingChild(601,
                               [&huge] {
                                   rlimit limit{};
                                   ::getrlimit(RLIMIT_AS, &limit);
                                   limit.rlim_cur = 1UL << 30U;
                                   ::setrlimit(RLIMIT_AS, &limit);
                                   sink = static_cast<int>(readProgramFile(huge)->size());
                               }),
              "AllocateMemory fehlgeschlagen!  Zeile: 601");
    fs::remove(huge);
}
