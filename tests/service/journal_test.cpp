#include "service/journal.h"
#include "service_folder.h"

#include <gtest/gtest.h>

#include <sstream>
#include <thread>
#include <vector>

namespace drovane {
namespace {

class JournalTest : public testing::ServiceFolder {
protected:
    static JournalEntry entry(std::string machine, std::uint64_t bytes) {
        return {testing::sampleTime(),
                std::move(machine),
                "COM1",
                "empfangen",
                "/ein/O1.nc",
                bytes,
                crc32Of("123456789"),
                1.5,
                "gespeichert",
                ""};
    }
    std::filesystem::path file() const { return folder / "journal.jsonl"; }
};

TEST_F(JournalTest, ALineCarriesEveryFieldAndReadsBack) {
    const JournalEntry written = entry("Fanuc", 532);
    const std::string line = journalLine(written);
    EXPECT_NE(line.find(R"("crc32":"cbf43926")"), std::string::npos) << line;
    EXPECT_NE(line.find(R"("time":"2026-12-09T14:03:22Z")"), std::string::npos) << line;
    EXPECT_EQ(parseJournalLine(line), written);
}

TEST_F(JournalTest, ALineThatIsNoEntryDoesNotParse) {
    std::string good = journalLine(entry("Fanuc", 1));
    const auto replaced = [&](std::string_view from, std::string_view to) {
        std::string line = good;
        line.replace(line.find(from), from.size(), to);
        return line;
    };
    for (const std::string& bad :
         {std::string("not json"), std::string("[1,2]"), good.substr(0, good.size() - 1),
          replaced("cbf43926", "CBF43926"), replaced(R"("bytes":1)", R"("bytes":-1)"),
          replaced("14:03:22Z", "14:03:22"), replaced(R"("machine":"Fanuc",)", "")}) {
        EXPECT_FALSE(parseJournalLine(bad)) << bad;
    }
}

TEST_F(JournalTest, ThreadsAppendWholeLines) {
    {
        Journal journal(file());
        std::vector<std::jthread> writers;
        for (int thread = 0; thread < 4; ++thread) {
            writers.emplace_back([&journal, thread] {
                for (std::uint64_t i = 0; i < 50; ++i) {
                    EXPECT_TRUE(journal.append(entry("M" + std::to_string(thread), i)));
                }
            });
        }
    }
    std::istringstream lines(contentOf(file()));
    std::size_t count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
        EXPECT_TRUE(parseJournalLine(line)) << line;
    }
    EXPECT_EQ(count, 200U);
}

TEST_F(JournalTest, PrintsTheLastEntriesOfAMachineAndNamesBadLines) {
    Journal journal(file());
    for (const auto& [machine, bytes] :
         {std::pair{"A", 1}, std::pair{"B", 2}, std::pair{"A", 3}, std::pair{"A", 4}}) {
        journal.append(entry(machine, bytes));
    }
    std::ostringstream out;
    EXPECT_EQ(printJournal(file(), {"A", 2}, out), 0);
    EXPECT_EQ(out.str(), "2026-12-09T14:03:22Z  A  COM1  empfangen  /ein/O1.nc  3 Bytes  CRC "
                         "cbf43926  1.5 s  gespeichert\n"
                         "2026-12-09T14:03:22Z  A  COM1  empfangen  /ein/O1.nc  4 Bytes  CRC "
                         "cbf43926  1.5 s  gespeichert\n");
    put(file(), contentOf(file()) + "{broken\n");
    std::ostringstream broken;
    EXPECT_EQ(printJournal(file(), {}, broken), 1);
    EXPECT_NE(broken.str().find("Zeile 5 des Journals"), std::string::npos) << broken.str();
}

} // namespace
} // namespace drovane
