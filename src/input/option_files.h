#pragma once

// The four option files of the main window, in the settings folder. Each
// holds one line, read as one delimited field and rewritten whole:
//
//   chkList.Dat  job-list filter: "1" all, "2" invoiced, "3" non-invoiced
//   LoadJob.Dat  "T" load the job list, "F" do not
//   chkCom.Dat   "Comments Shown" box: 0 or 1, written as " 1 " / " 0 "
//   chkJob.Dat   "Job/Quote Numbers" box, likewise
//
// A missing or unreadable file means the default, never an error. Every
// function takes the settings folder the files lie in.

#include "common/result.h"

#include <QString>

#include <optional>

enum class JobFilter { All = 1, Invoiced = 2, NonInvoiced = 3 };

inline constexpr char ListFilterFile[] = "chkList.Dat";
inline constexpr char LoadJobsFile[] = "LoadJob.Dat";
inline constexpr char CommentsShownFile[] = "chkCom.Dat";
inline constexpr char JobNumbersFile[] = "chkJob.Dat";

// The stored filter; All for anything but "2" and "3".
JobFilter readListFilter(const QString& settingsFolder);
// False only for a stored "F".
bool readLoadJobs(const QString& settingsFolder);
// A check box's stored state (0 or 1, or whatever number the file holds,
// rounded half to even; nullopt when it is no whole number in range). When
// the file cannot be read it is created holding the line "0" first.
std::optional<int> readCheckState(const QString& settingsFolder, const QString& fileName);

// Writers; each fails with PermissionDenied (70) when the file cannot be
// written.
Result<void> writeListFilter(const QString& settingsFolder, JobFilter filter);
Result<void> writeLoadJobs(const QString& settingsFolder, bool loadJobs);
Result<void> writeCheckState(const QString& settingsFolder, const QString& fileName, int state);
