#pragma once

// The entries of the main window's lists, built from table fields.

#include "input/option_files.h"
#include "orderdb/field_value.h"

#include <QString>

#include <optional>

// A customer list entry: ClientID, "-", Name. No entry for a Null Name; a
// Null ClientID contributes nothing, so the entry starts with the dash.
std::optional<QString> customerListEntry(const FieldValue& clientId, const FieldValue& name);

// A job list entry: Job, then "-" and Description when Description is not
// Null. No entry for a Null Job.
std::optional<QString> jobListEntry(const FieldValue& job, const FieldValue& description);

// Whether a job with this "Invoiced" value belongs in the filtered list:
// every job for All; Invoiced equal to 1, or to 0 for NonInvoiced, compared
// by value (a number against the number, a text against "1" or "0"); a Null
// matches neither.
bool jobPassesFilter(JobFilter filter, const FieldValue& invoiced);
