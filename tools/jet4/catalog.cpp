#include "jet4/catalog.h"

#include "jet4/byte_order.h"
#include "jet4/database_header.h"
#include "jet4/row_builder.h"
#include "jet4/text_encoding.h"

#include <bit>
#include <stdexcept>

namespace jet4::detail {

namespace {

enum CatalogColumn : std::size_t {
    Id,
    ParentId,
    Name,
    Type,
    DateCreate,
    DateUpdate,
    Owner,
    Flags,
    Database,
    Connect,
    ForeignName,
    RmtInfoShort,
    RmtInfoLong,
    Lv,
    LvProp,
    LvModule,
    LvExtra,
};

constexpr std::uint32_t kTablesContainerId = 0x0F000001;
constexpr std::uint32_t kTopContainerId = 0x0F000000;
constexpr std::uint16_t kContainerType = 3;
constexpr std::uint16_t kTableType = 1;
constexpr std::uint32_t kSystemFlags = 0x80000000;
constexpr std::uint32_t kInlineLongValue = 0x80000000;

} // namespace

std::vector<StoredColumn> catalogColumns()
{
    const auto column = [](const char* name, StorageType type, std::uint16_t size) {
        StoredColumn stored;
        stored.name = name;
        stored.type = type;
        stored.size = size;
        return stored;
    };
    std::vector<StoredColumn> columns = {
        column("Id", StorageType::Long, 4),
        column("ParentId", StorageType::Long, 4),
        column("Name", StorageType::Text, 256),
        column("Type", StorageType::Integer, 2),
        column("DateCreate", StorageType::DateTime, 8),
        column("DateUpdate", StorageType::DateTime, 8),
        column("Owner", StorageType::Binary, 255),
        column("Flags", StorageType::Long, 4),
        column("Database", StorageType::Memo, 0),
        column("Connect", StorageType::Memo, 0),
        column("ForeignName", StorageType::Text, 510),
        column("RmtInfoShort", StorageType::Binary, 255),
        column("RmtInfoLong", StorageType::Ole, 0),
        column("Lv", StorageType::Ole, 0),
        column("LvProp", StorageType::Ole, 0),
        column("LvModule", StorageType::Ole, 0),
        column("LvExtra", StorageType::Ole, 0),
    };
    layoutColumns(columns);
    return columns;
}

std::vector<CatalogEntry> catalogEntries(const std::vector<CatalogEntry>& userTables)
{
    std::vector<CatalogEntry> entries = {
        {"Tables", kTablesContainerId, kTopContainerId, kContainerType, kSystemFlags, nullptr},
        {"MSysObjects", kCatalogDefinitionPage, kTablesContainerId, kTableType, kSystemFlags,
         nullptr},
    };
    for (CatalogEntry entry : userTables) {
        entry.parentId = kTablesContainerId;
        entry.type = kTableType;
        entry.flags = 0;
        entries.push_back(std::move(entry));
    }
    return entries;
}

DataPages buildCatalogPages(const std::vector<StoredColumn>& columns,
                            const std::vector<CatalogEntry>& entries)
{
    DataPages pages(kCatalogDefinitionPage);
    RowBuilder row(columns);
    const std::uint64_t date = std::bit_cast<std::uint64_t>(kCreationDate);
    for (const CatalogEntry& entry : entries) {
        row.begin();
        putU32(row.fixedSlot(Id), entry.id);
        putU32(row.fixedSlot(ParentId), entry.parentId);
        appendJetText(entry.name, row.variableSlot(Name));
        putU16(row.fixedSlot(Type), entry.type);
        putU64(row.fixedSlot(DateCreate), date);
        putU64(row.fixedSlot(DateUpdate), date);
        row.setNull(Owner);
        putU32(row.fixedSlot(Flags), entry.flags);
        for (std::size_t column = Database; column < LvProp; ++column) {
            row.setNull(column);
        }
        if (entry.properties != nullptr) {
            std::vector<std::uint8_t>& slot = row.variableSlot(LvProp);
            appendU32(slot,
                      kInlineLongValue | static_cast<std::uint32_t>(entry.properties->size()));
            appendU32(slot, 0);
            appendU32(slot, 0);
            slot.insert(slot.end(), entry.properties->begin(), entry.properties->end());
        } else {
            row.setNull(LvProp);
        }
        row.setNull(LvModule);
        row.setNull(LvExtra);
        try {
            pages.add(row.finish());
        } catch (const std::invalid_argument& error) {
            throw std::invalid_argument("catalog row of '" + entry.name + "': " + error.what());
        }
    }
    return pages;
}

} // namespace jet4::detail
