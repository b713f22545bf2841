// Linked into every Windows test program: the programs a test starts end with it, also when
// the test is killed (a timeout). The test's process joins a job that ends all its members
// once its last handle closes, which the end of this process does.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace {

bool EndChildrenWithThisProcess()
{
    HANDLE job = CreateJobObjectW(nullptr, nullptr);
    if (job == nullptr) {
        return false;
    }
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    return SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits) != FALSE &&
           AssignProcessToJobObject(job, GetCurrentProcess()) != FALSE;
}

[[maybe_unused]] const bool childrenEndWithThisProcess = EndChildrenWithThisProcess();

}  // namespace
