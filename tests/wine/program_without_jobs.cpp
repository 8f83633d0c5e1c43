// Reelsift.exe as it runs where the system refuses to put the downloader into a job of ours: Windows 7, when
// Reelsift itself was started inside a job. Everything else is the program itself.
#include "download/ToolProcess.h"

namespace {

struct JobsRefused {
    JobsRefused() { ToolProcess::RefuseJobsForTesting(true); }
} jobsRefused;

}  // namespace
