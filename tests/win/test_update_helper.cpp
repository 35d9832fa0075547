// The start of the update helper process: its flags, and the way it still
// runs when Windows will not put it in its job. The recorder starts the
// system's cmd.exe in its place, with the flags and startup record asked for.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/seam_recorder.h"
#include "update/update_helper.h"

namespace {

DWORD WINAPI RunHelper(void* result) {
    *static_cast<unsigned long*>(result) = RunUpdateHelperProcess();
    return 0;
}

// What each try of a start asked for: creation flags, each with the startup
// record's flags checked, and whether the process started.
std::vector<DWORD> FlagsAskedFor(const SeamRecorder& seam) {
    std::vector<DWORD> flags;
    for (const auto& call : seam.createdProcesses) {
        EXPECT_EQ(call.startupFlags & (STARTF_FORCEOFFFEEDBACK | STARTF_FORCEONFEEDBACK),
                  DWORD{STARTF_FORCEOFFFEEDBACK});
        EXPECT_FALSE(call.inheritHandles);
        flags.push_back(call.flags);
    }
    return flags;
}

}  // namespace

TEST(UpdateHelperStart, RunsInsideItsJobFromItsCreationWithoutTheBusyPointer) {
    SeamRecorder seam;
    EXPECT_EQ(RunUpdateHelperProcess(), kHelperWroteFile);
    EXPECT_EQ(FlagsAskedFor(seam), std::vector<DWORD>{EXTENDED_STARTUPINFO_PRESENT});
    ASSERT_EQ(seam.createdProcesses.size(), 1u);
    EXPECT_TRUE(seam.createdProcesses[0].inAJob);
    EXPECT_EQ(seam.assignments, 0);
    const std::wstring& line = seam.createdProcesses[0].commandLine;
    EXPECT_EQ(line.front(), L'"');
    EXPECT_EQ(line.substr(line.size() - 16), L"\" --check-update");
}

TEST(UpdateHelperStart, StillRunsWhereWindowsRefusesTheJob) {
    constexpr DWORD list = EXTENDED_STARTUPINFO_PRESENT, suspended = CREATE_SUSPENDED, away = CREATE_BREAKAWAY_FROM_JOB;
    const struct {
        const char* where;
        bool jobListRefused, cannotNest, breakawayAllowed;
        std::vector<DWORD> flags;
        int assignments;
        bool inAJob;
    } cases[] = {
        {"Windows 8.1: no job list", true, false, false, {list, suspended}, 1, true},
        {"a job that cannot nest, breakaway allowed", false, true, true, {list, suspended, list | away}, 1, true},
        {"a job that cannot nest, no breakaway", false, true, false, {list, suspended, 0}, 1, false},
        {"Windows 7, breakaway allowed", true, true, true, {list, suspended, list | away, suspended | away}, 2, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.where);
        SeamRecorder seam;
        seam.jobListRefused = c.jobListRefused;
        seam.inJobThatCannotNest = c.cannotNest;
        seam.breakawayAllowed = c.breakawayAllowed;
        EXPECT_EQ(RunUpdateHelperProcess(), kHelperWroteFile);
        EXPECT_EQ(FlagsAskedFor(seam), c.flags);
        EXPECT_EQ(seam.assignments, c.assignments);
        ASSERT_FALSE(seam.createdProcesses.empty());
        EXPECT_TRUE(seam.createdProcesses.back().started);
        EXPECT_EQ(seam.createdProcesses.back().inAJob, c.inAJob);
    }
}

// Last in this program: once the program is ending, no helper starts outside a job again.
TEST(UpdateHelperStart, OneInNoJobIsEndedWhenTheProgramEnds) {
    SeamRecorder seam;
    seam.inJobThatCannotNest = true;
    seam.helperHangs = true;
    unsigned long result = kHelperWroteFile;
    HANDLE thread = CreateThread(nullptr, 0, RunHelper, &result, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    // The suspended try, refused its job, then the one without a job.
    ASSERT_EQ(WaitForSingleObject(seam.processStarted, 10000), WAIT_OBJECT_0);
    ASSERT_EQ(WaitForSingleObject(seam.processStarted, 10000), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(thread, 200), WAIT_TIMEOUT);  // it waits for the helper
    StopStartingUpdateHelpers();
    EXPECT_EQ(WaitForSingleObject(thread, 10000), WAIT_OBJECT_0);
    CloseHandle(thread);
    EXPECT_EQ(result, kHelperFailed);
    ASSERT_EQ(seam.helpers.size(), 2u);
    EXPECT_EQ(WaitForSingleObject(seam.helpers[1], 0), WAIT_OBJECT_0);
    EXPECT_FALSE(seam.createdProcesses[2].inAJob);
    // And none starts after.
    EXPECT_EQ(RunUpdateHelperProcess(), kHelperFailed);
    ASSERT_EQ(seam.createdProcesses.size(), 4u);
    EXPECT_FALSE(seam.createdProcesses[3].started);
}
