// The update helper's start: its flags, and how it still runs where Windows
// will not put it in its job. The recorder starts cmd.exe in its place.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "support/seam_recorder.h"
#include "update/update_helper.h"

TEST(UpdateHelperStart, InItsJobWhereWindowsAllowsItAndRunsWithoutItElse) {
    constexpr DWORD list = EXTENDED_STARTUPINFO_PRESENT, suspended = CREATE_SUSPENDED, away = CREATE_BREAKAWAY_FROM_JOB;
    const struct {
        const char* where;
        bool jobListRefused, cannotNest, breakawayAllowed;
        std::vector<DWORD> flags;
        int assignments;
        bool inAJob;
    } cases[] = {
        {"Windows 10", false, false, false, {list}, 0, true},
        {"Windows 8.1", true, false, false, {list, suspended}, 1, true},
        {"a job that cannot nest, breakaway allowed", false, true, true, {list, suspended, list | away}, 1, true},
        {"a job that cannot nest, no breakaway", false, true, false, {list, suspended, 0}, 1, false},
        {"Windows 7 in a job, breakaway allowed",
         true,
         true,
         true,
         {list, suspended, list | away, suspended | away},
         2,
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.where);
        SeamRecorder seam;
        seam.jobListRefused = c.jobListRefused;
        seam.inJobThatCannotNest = c.cannotNest;
        seam.breakawayAllowed = c.breakawayAllowed;
        EXPECT_EQ(RunUpdateHelperProcess(), kHelperWroteFile);
        std::vector<DWORD> flags;
        for (const auto& call : seam.createdProcesses) {
            flags.push_back(call.flags);
            // No busy pointer, whatever the way.
            EXPECT_EQ(call.startupFlags & (STARTF_FORCEOFFFEEDBACK | STARTF_FORCEONFEEDBACK),
                      DWORD{STARTF_FORCEOFFFEEDBACK});
        }
        EXPECT_EQ(flags, c.flags);
        EXPECT_EQ(seam.assignments, c.assignments);
        ASSERT_FALSE(seam.createdProcesses.empty());
        EXPECT_EQ(seam.createdProcesses.back().inAJob, c.inAJob);
    }
}

namespace {
DWORD WINAPI RunHelper(void* result) {
    *static_cast<unsigned long*>(result) = RunUpdateHelperProcess();
    return 0;
}
}  // namespace

// Last in this program: once the program is ending, no helper starts outside a job again.
TEST(UpdateHelperStart, OneInNoJobIsEndedWhenTheProgramEnds) {
    SeamRecorder seam;
    seam.inJobThatCannotNest = seam.helperHangs = true;
    unsigned long result = kHelperWroteFile;
    HANDLE thread = CreateThread(nullptr, 0, RunHelper, &result, 0, nullptr);
    // The suspended one its job refused, then the one without a job, which the program waits for.
    ASSERT_EQ(WaitForSingleObject(seam.processStarted, 10000), WAIT_OBJECT_0);
    ASSERT_EQ(WaitForSingleObject(seam.processStarted, 10000), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(thread, 200), WAIT_TIMEOUT);
    StopStartingUpdateHelpers();
    EXPECT_EQ(WaitForSingleObject(thread, 10000), WAIT_OBJECT_0);
    CloseHandle(thread);
    EXPECT_EQ(result, kHelperFailed);
    ASSERT_EQ(seam.helpers.size(), 2u);
    EXPECT_EQ(WaitForSingleObject(seam.helpers[1], 0), WAIT_OBJECT_0);
    EXPECT_EQ(RunUpdateHelperProcess(), kHelperFailed);
    EXPECT_EQ(seam.helpers.size(), 2u);
}
