#include "jet4/table_definition.h"

#include "jet4/byte_order.h"

#include <algorithm>
#include <cstring>

namespace jet4::detail {

namespace {

constexpr std::size_t kPage = 4096;
constexpr std::size_t kPageHeader = 8;
constexpr std::size_t kPiece = kPage - kPageHeader;
constexpr std::size_t kColumnsStart = 63;
constexpr std::size_t kColumnRecord = 25;
// Access writes this unexplained value into the definition and every column record.
constexpr std::uint32_t kAccessMarker = 0x0659;
constexpr std::uint16_t kGeneralSortOrder = 0x0409;

std::size_t definitionLength(const std::vector<StoredColumn>& columns)
{
    std::size_t length = kColumnsStart + kColumnRecord * columns.size();
    for (const StoredColumn& column : columns) {
        length += 2 + 2 * column.name.size();
    }
    return length + 2; // the empty list of long-value usage maps
}

std::uint8_t columnFlags(const StoredColumn& column)
{
    constexpr std::uint8_t fixedLength = 0x01;
    constexpr std::uint8_t nullable = 0x02;
    return static_cast<std::uint8_t>(nullable | (column.fixed ? fixedLength : 0));
}

bool isText(StorageType type)
{
    return type == StorageType::Text || type == StorageType::Memo;
}

std::vector<std::uint8_t> flatDefinition(const TableDefinition& definition)
{
    const std::vector<StoredColumn>& columns = *definition.columns;
    const auto variableCount = static_cast<std::uint32_t>(
        std::count_if(columns.begin(), columns.end(), [](const auto& c) { return !c.fixed; }));

    std::vector<std::uint8_t> out(kColumnsStart + kColumnRecord * columns.size(), 0);
    std::uint8_t* head = out.data();
    head[0] = 0x02;
    head[1] = 0x01;
    putU32(head + 8, static_cast<std::uint32_t>(definitionLength(columns)));
    putU32(head + 12, kAccessMarker);
    putU32(head + 16, definition.rowCount);
    head[24] = 0x01;
    head[40] = definition.system ? 0x53 : 0x4E;
    putU16(head + 41, static_cast<std::uint32_t>(columns.size()));
    putU16(head + 43, variableCount);
    putU16(head + 45, static_cast<std::uint32_t>(columns.size()));
    putU32(head + 55, definition.usedPagesMap);
    putU32(head + 59, definition.freeSpaceMap);

    for (std::size_t i = 0; i < columns.size(); ++i) {
        const StoredColumn& column = columns[i];
        std::uint8_t* record = head + kColumnsStart + kColumnRecord * i;
        record[0] = static_cast<std::uint8_t>(column.type);
        putU32(record + 1, kAccessMarker);
        putU16(record + 5, column.number);
        putU16(record + 7, column.variableIndex);
        putU16(record + 9, column.number);
        if (isText(column.type)) {
            putU16(record + 11, kGeneralSortOrder);
            record[16] = 0x01; // compression allowed
        }
        record[15] = columnFlags(column);
        putU16(record + 21, column.fixedOffset);
        // Access records a boolean as one byte although it lives in the null mask.
        putU16(record + 23, column.declaredSize                   ? *column.declaredSize
                            : column.type == StorageType::Boolean ? 1u
                                                                  : column.size);
    }
    for (const StoredColumn& column : columns) {
        appendU16(out, static_cast<std::uint32_t>(2 * column.name.size()));
        for (const char c : column.name) {
            appendU16(out, static_cast<unsigned char>(c));
        }
    }
    appendU16(out, 0xFFFF);
    return out;
}

} // namespace

std::uint32_t definitionPageCount(const std::vector<StoredColumn>& columns)
{
    const std::size_t body = definitionLength(columns) - kPageHeader;
    return static_cast<std::uint32_t>((body + kPiece - 1) / kPiece);
}

std::vector<std::uint8_t> buildDefinitionPages(const TableDefinition& definition,
                                               std::uint32_t firstPage)
{
    const std::vector<std::uint8_t> flat = flatDefinition(definition);
    const std::uint32_t pages = definitionPageCount(*definition.columns);
    std::vector<std::uint8_t> out(pages * kPage, 0);
    std::memcpy(out.data(), flat.data(), kPageHeader);

    std::size_t done = kPageHeader;
    for (std::uint32_t p = 0; p < pages; ++p) {
        std::uint8_t* page = out.data() + p * kPage;
        const std::size_t length = std::min(kPiece, flat.size() - done);
        std::memcpy(page + kPageHeader, flat.data() + done, length);
        done += length;
        page[0] = 0x02;
        page[1] = 0x01;
        putU16(page + 2, static_cast<std::uint32_t>(kPiece - length));
        putU32(page + 4, p + 1 < pages ? firstPage + p + 1 : 0);
    }
    return out;
}

} // namespace jet4::detail
