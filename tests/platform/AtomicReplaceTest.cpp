// Replacing a file all or nothing: a failure at any step, or a crash at any moment, leaves the
// old content or the new one, never a mix, and no temporary file after a failure unless it holds
// the only copy left.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <optional>
#include <thread>

#include "platform/AtomicReplace.h"
#include "platform/DiskFiles.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Disk = std::map<std::string, Bytes>;

enum class Step { Create, Write, Flush, Close, MoveOver, NoFailure, MoveAfterDeletingTarget };
constexpr int StepCount = 6;  // the last one, as where the move deletes the target first, apart

// File steps over an in-memory disk; the step numbered `failing` fails. After every change it
// notes what the target holds, so each note is a moment a crash could freeze.
class ScriptedOps {
  public:
    ScriptedOps(Disk& memoryDisk, Step failingStep, std::string targetPath)
        : disk(memoryDisk), failing(failingStep), target(std::move(targetPath)) {}

    bool Create(const std::string& path) {
        if (failing == Step::Create) return false;
        disk[path].clear();
        open = path;
        return Note();
    }
    bool Write(const Bytes& bytes) {
        // A full disk takes the first half.
        const size_t taken = failing == Step::Write ? bytes.size() / 2 : bytes.size();
        disk[open].insert(disk[open].end(), bytes.begin(), bytes.begin() + taken);
        return Note() && failing != Step::Write;
    }
    bool Flush() { return failing != Step::Flush; }
    bool Close() {
        open.clear();  // the handle is gone even when closing reports an error
        return failing != Step::Close;
    }
    MoveResult MoveOver(const std::string& from, const std::string& to) {
        if (failing == Step::MoveOver) return MoveResult::Failed;
        if (failing == Step::MoveAfterDeletingTarget) {
            const bool removed = disk.erase(to) != 0;
            Note();
            return removed ? MoveResult::TargetRemoved : MoveResult::Failed;
        }
        disk[to] = disk[from];
        disk.erase(from);
        Note();
        return MoveResult::Moved;
    }
    void Remove(const std::string& path) {
        if (path == open) return;  // an open file cannot be deleted
        disk.erase(path);
        Note();
    }

    std::vector<std::optional<Bytes>> targetSeen;

  private:
    bool Note() {
        const auto found = disk.find(target);
        targetSeen.push_back(found == disk.end() ? std::nullopt : std::optional(found->second));
        return true;
    }

    Disk& disk;
    const Step failing;
    const std::string target;
    std::string open;
};

// The whole file, read in large blocks (a byte-wise reader takes most of a second per file under
// the sanitizers).
Bytes ReadWhole(const std::string& path) {
    Bytes bytes;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return bytes;
    static uint8_t block[1 << 16];
    for (size_t got; (got = std::fread(block, 1, sizeof block, file)) > 0;) {
        bytes.insert(bytes.end(), block, block + got);
    }
    std::fclose(file);
    return bytes;
}

// Removes the file and its temporary however the test ends.
struct RemovedAtEnd {
    ~RemovedAtEnd() {
        std::remove(path.c_str());
        std::remove(TemporaryPathFor(path).c_str());
    }
    const std::string path;
};

}  // namespace

TEST(ReplaceAtomically, FailureAtAnyStepKeepsTheOldFileAndLeavesNoTemporary) {
    const std::string path = "dir/Pad.qvp";
    const Bytes oldBytes = {1, 2, 3, 4, 5, 6};
    const Bytes newBytes = {9, 8, 7, 6, 5, 4, 3, 2};
    for (bool staleTemporary : {false, true}) {
        for (int i = 0; i < StepCount; ++i) {
            const Step step = static_cast<Step>(i);
            Disk disk = {{path, oldBytes}};
            if (staleTemporary) disk[TemporaryPathFor(path)] = {0xEE};  // from an earlier crash
            ScriptedOps ops(disk, step, path);

            const bool replaced =
                ReplaceAtomically(ops, path, newBytes) == platform::ReplaceResult::Replaced;
            EXPECT_EQ(replaced, step == Step::NoFailure) << i;
            for (const auto& seen : ops.targetSeen) {
                EXPECT_TRUE(seen == oldBytes || seen == newBytes) << i;
            }
            Disk expected = {{path, replaced ? newBytes : oldBytes}};
            // A failed Create touched nothing: a temporary an earlier crash left stays.
            if (staleTemporary && step == Step::Create) expected[TemporaryPathFor(path)] = {0xEE};
            EXPECT_EQ(disk, expected) << i;
        }
    }
}

TEST(ReplaceAtomically, FailureWithoutAnOldFileLeavesNoFileAtAll) {
    for (int i = 0; i + 1 < StepCount; ++i) {
        Disk disk;
        ScriptedOps ops(disk, static_cast<Step>(i), "Pad.qvp");
        EXPECT_EQ(ReplaceAtomically(ops, "Pad.qvp", {1, 2, 3}), platform::ReplaceResult::Failed);
        EXPECT_TRUE(disk.empty()) << i;
    }
}

TEST(ReplaceAtomically, AMoveThatDeletedTheOldFileAndFailedKeepsTheTemporary) {
    Disk disk = {{"Pad.qvp", {1, 2, 3}}};
    ScriptedOps ops(disk, Step::MoveAfterDeletingTarget, "Pad.qvp");
    EXPECT_EQ(ReplaceAtomically(ops, "Pad.qvp", {7, 8}), platform::ReplaceResult::KeptInTemporary);
    EXPECT_EQ(disk, (Disk{{"Pad.qvp.tmp", {7, 8}}}));
}

// A writer killed at varied moments while it replaces one file again and again.
TEST(DiskFiles, KilledWriterLeavesOneWholeVersion) {
    const std::string path =
        ::testing::TempDir() + "quorvel_kill_" + std::to_string(getpid()) + ".qvp";
    const RemovedAtEnd cleanup{path};
    const Bytes first(4 << 20, 'a');
    const Bytes second(3 << 20, 'b');
    ASSERT_TRUE(WriteDiskFile(path, first));
    int secondSeen = 0;
    for (int round = 0; round < 40; ++round) {
        const pid_t child = fork();
        ASSERT_NE(child, -1);
        if (child == 0) {
            prctl(PR_SET_PDEATHSIG, SIGKILL);  // never outlives a test run that died
            for (;;) {
                WriteDiskFile(path, second);
                WriteDiskFile(path, first);
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(round * 7919 % 60000));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);

        const Bytes bytes = ReadWhole(path);
        ASSERT_TRUE(bytes == first || bytes == second)
            << "round " << round << ": " << bytes.size() << " bytes";
        if (bytes == second) ++secondSeen;
    }
    EXPECT_GT(secondSeen, 0);  // the writer did get to replace the file
}
