#include "input/list_entries.h"

std::optional<QString> customerListEntry(const FieldValue& clientId, const FieldValue& name)
{
    if (name.isNull())
        return std::nullopt;
    return clientId.toText() + QLatin1Char('-') + name.toText();
}

std::optional<QString> jobListEntry(const FieldValue& job, const FieldValue& description)
{
    if (job.isNull())
        return std::nullopt;
    if (description.isNull())
        return job.toText();
    return job.toText() + QLatin1Char('-') + description.toText();
}

bool jobPassesFilter(JobFilter filter, const FieldValue& invoiced)
{
    switch (filter) {
    case JobFilter::All:
        return true;
    case JobFilter::Invoiced:
        return invoiced.equalsValue(1);
    case JobFilter::NonInvoiced:
        break;
    }
    return invoiced.equalsValue(0);
}
