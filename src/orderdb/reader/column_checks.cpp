#include "orderdb/reader/column_checks.h"

#include <algorithm>
#include <map>

namespace column_checks {
namespace {

namespace types = jet_rows::types;

// A row holds at most a page less its header and one slot.
constexpr int MaxRowBytes = jet_rows::PageSize - 14 - 2;

bool storedAsItsTypeIs(const ColumnDefinition& column)
{
    if (column.type == types::Boolean) // lives in the null mask alone
        return true;
    if (column.type == types::Text || column.type == types::Memo)
        return !column.layout.fixed;
    return jet_rows::fixedSizeOfType(column.type) < 0 || column.layout.fixed;
}

// Marks every column of a group that holds more than one.
template<typename Key>
void markShared(const std::map<Key, std::vector<std::size_t>>& groups, std::vector<bool>& damaged)
{
    for (const auto& [key, members] : groups) {
        if (members.size() > 1) {
            for (const std::size_t c : members)
                damaged[c] = true;
        }
    }
}

} // namespace

bool isKnownType(int type)
{
    return (type >= types::Boolean && type <= types::Memo) || type == types::ReplicationId ||
           type == types::Numeric || type == types::Complex;
}

std::vector<bool> damagedColumns(const std::vector<ColumnDefinition>& columns, int maxColumns)
{
    std::vector<bool> damaged(columns.size());
    std::map<int, std::vector<std::size_t>> byMaskBit, byVariableSlot;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const ColumnDefinition& column = columns[c];
        const jet_rows::ColumnLayout& layout = column.layout;
        damaged[c] = !isKnownType(column.type) || !storedAsItsTypeIs(column) || layout.number < 0 ||
                     layout.number >= maxColumns ||
                     (layout.fixed && 2 + layout.fixedOffset + layout.size > MaxRowBytes);
        byMaskBit[layout.number].push_back(c);
        if (!layout.fixed)
            byVariableSlot[layout.variableIndex].push_back(c);
    }
    markShared(byMaskBit, damaged);
    markShared(byVariableSlot, damaged);

    // Fixed values that overlap: sorted by offset, no column may reach past
    // the start of one after it. Booleans take no bytes.
    std::vector<std::size_t> fixed;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (columns[c].layout.fixed && columns[c].layout.size > 0)
            fixed.push_back(c);
    }
    std::sort(fixed.begin(), fixed.end(), [&](std::size_t a, std::size_t b) {
        return columns[a].layout.fixedOffset < columns[b].layout.fixedOffset;
    });
    for (std::size_t i = 1; i < fixed.size(); ++i) {
        for (std::size_t j = i; j-- > 0;) {
            const jet_rows::ColumnLayout& before = columns[fixed[j]].layout;
            if (before.fixedOffset + before.size > columns[fixed[i]].layout.fixedOffset)
                damaged[fixed[i]] = damaged[fixed[j]] = true;
        }
    }
    return damaged;
}

} // namespace column_checks
