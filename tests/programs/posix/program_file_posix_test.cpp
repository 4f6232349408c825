// Linux only: FIFOs, /dev/zero and symbolic links have no Windows
// counterpart; Windows refuses its device names instead.

#include "../temp_folder.h"
#include "programs/program_file.h"

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using drovane::readProgramFile;

namespace {

class ProgramFileOnLinux : public drovane::testing::TempFolder {};

} // namespace

TEST_F(ProgramFileOnLinux, OnlyARegularFileIsLoadedAndNothingWaitsOrEatsMemory) {
    // A FIFO without a writer would block the open; /dev/zero never ends.
    const auto fifo = folder / "fifo.nc";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    put(folder / "real.nc", "G0\r\n");
    fs::create_symlink(folder / "real.nc", folder / "link.nc");
    fs::create_symlink(fifo, folder / "link-to-fifo.nc");
    const struct {
        fs::path path;
        std::optional<std::string> loaded;
    } cases[] = {
        {fifo, std::nullopt},           {folder / "link-to-fifo.nc", std::nullopt},
        {"/dev/zero", std::nullopt},    {"/dev/null", std::nullopt},
        {folder / "link.nc", "G0\r\n"},
    };
    for (const auto& item : cases) {
        SCOPED_TRACE(item.path);
        std::atomic<bool> done{false};
        std::thread reader([&] {
            EXPECT_EQ(readProgramFile(item.path), item.loaded);
            done = true;
        });
        // Unblocks a reader stuck in the open, so that a failure ends the test.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!done && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        if (!done && fs::is_fifo(item.path)) {
            const int writer = ::open(item.path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            ::close(writer);
        }
        reader.join();
        EXPECT_TRUE(done);
    }
}
