#include "orderdb/reader/row_writer.h"

#include "common/decimal_text.h"
#include "orderdb/reader/jet_values.h"
#include "orderdb/reader/stream_writer.h"

#include <cstring>

namespace types = jet_rows::types;
using jet_rows::Cell;

namespace {

std::uint32_t readU32(const std::uint8_t* at)
{
    return at[0] | std::uint32_t{at[1]} << 8 | std::uint32_t{at[2]} << 16 |
           std::uint32_t{at[3]} << 24;
}

template<typename Number>
Number readNumber(const std::uint8_t* at)
{
    Number value;
    std::memcpy(&value, at, sizeof value); // the file and the machine are little-endian
    return value;
}

// Jet 4 text, sent as Latin-1 without decoding whenever its stored form
// allows: compressed text without mode switches is Latin-1 already, and so is
// UCS-2 whose every high byte is zero.
void writeJetText(const std::uint8_t* bytes, std::size_t length, StreamWriter& out)
{
    const bool compressed = length >= 2 && bytes[0] == 0xff && bytes[1] == 0xfe;
    if (!compressed) {
        out.writeUcs2(bytes, length);
        return;
    }
    if (std::memchr(bytes + 2, 0, length - 2) == nullptr) {
        out.writeLatin1(std::string_view(reinterpret_cast<const char*>(bytes + 2), length - 2));
        return;
    }
    out.writeText(jet_values::decodeText(bytes, length));
}

} // namespace

bool TablePlan::needsLibrary() const
{
    for (const int type : types) {
        if (type == types::Numeric || type == types::ReplicationId)
            return true;
    }
    return false;
}

RowWriter::RowWriter(int fd, const TablePlan& plan)
    : m_plan(plan)
    , m_pages(fd)
    , m_longValuePages(fd)
{
}

ChunkResult RowWriter::write(std::span<const std::uint32_t> pages, StreamWriter& out)
{
    ChunkResult result;
    m_pages.reset(pages);
    std::uint32_t number = 0;
    const std::uint8_t* page = nullptr;
    while (m_pages.next(number, page)) {
        if (page[0] != 0x01 || readU32(page + 4) != m_plan.definitionPage)
            continue;
        const jet_rows::PageRows rows(jet_rows::Page(page, jet_rows::PageSize));
        for (int slot = 0; slot < rows.count(); ++slot) {
            const std::optional<jet_rows::RowSpan> span = rows.row(slot);
            if (span && span->deleted)
                continue;
            const Result written = span
                                       ? writeRow(page,
                                                  std::span(page + span->start,
                                                            static_cast<std::size_t>(span->length)),
                                                  out)
                                       : Result::Damaged;
            if (written == Result::Damaged) {
                ++result.damaged;
                continue;
            }
            if (written == Result::TooLong || out.bytesWritten() > m_plan.streamLimit) {
                result.tooLong = true;
                return result;
            }
            ++result.rows;
            result.damaged += m_damagedValues;
        }
    }
    return result;
}

RowWriter::Result RowWriter::writeRow(const std::uint8_t* page, std::span<const std::uint8_t> row,
                                      StreamWriter& out)
{
    jet_rows::RowFrame frame;
    if (!frame.read(row, m_plan.variableColumns))
        return Result::Damaged;
    // A row goes out whole or not at all.
    out.beginRow();
    m_damagedValues = 0;
    Cell cell;
    for (std::size_t c = 0; c < m_plan.layouts.size(); ++c) {
        const int type = m_plan.types[c];
        const jet_rows::CellCheck check = type == TablePlan::UnreadableColumn
                                              ? jet_rows::CellCheck::DamagedValue
                                              : frame.cell(m_plan.layouts[c], cell);
        Result written = Result::Damaged;
        if (check == jet_rows::CellCheck::Sound) {
            written = Result::Written;
            if (type == types::Boolean)
                out.writeAscii(cell.present ? "-1" : "0"); // a Boolean's null bit is its value
            else if (!cell.present)
                out.writeNull();
            else
                written = writeValue(c, page, row, cell, out);
        } else if (check == jet_rows::CellCheck::DamagedValue) {
            written = Result::DamagedValue;
        }
        if (written == Result::DamagedValue) {
            out.writeNull();
            ++m_damagedValues;
        } else if (written != Result::Written) {
            out.abandonRow();
            return written;
        }
    }
    out.endRow();
    return Result::Written;
}

RowWriter::Result RowWriter::writeValue(std::size_t column, const std::uint8_t* page,
                                        std::span<const std::uint8_t> row, const Cell& cell,
                                        StreamWriter& out)
{
    const std::uint8_t* at = row.data() + cell.start;
    const auto size = static_cast<std::size_t>(cell.length);
    switch (m_plan.types[column]) {
    case types::Text:
        writeJetText(at, size, out);
        break;
    case types::LongInteger:
    case types::Complex:
        out.writeDecimal(readNumber<std::int32_t>(at));
        break;
    case types::Integer:
        out.writeDecimal(readNumber<std::int16_t>(at));
        break;
    case types::Byte:
        out.writeDecimal(at[0]);
        break;
    case types::Currency:
        out.writeAscii(scaledDecimal(readNumber<std::int64_t>(at), 4));
        break;
    case types::Single:
        out.writeAscii(plainDecimal(readNumber<float>(at), 7));
        break;
    case types::Double:
        out.writeAscii(plainDecimal(readNumber<double>(at), 15));
        break;
    case types::DateTime: {
        // No date the calendar holds reads as empty text: such bytes are no date.
        const std::string text = jet_values::dateTimeText(readNumber<double>(at));
        if (text.empty())
            return Result::DamagedValue;
        out.writeAscii(text);
        break;
    }
    case types::Memo: {
        m_longValue.clear();
        const jet_rows::LongValueResult result = jet_rows::readLongValue(
            std::span(at, size), [this](std::uint32_t page) { return m_longValuePages.read(page); },
            m_plan.maxValueBytes, m_longValue);
        if (result == jet_rows::LongValueResult::TooLong)
            return Result::TooLong;
        if (result == jet_rows::LongValueResult::Damaged)
            return Result::Damaged;
        writeJetText(m_longValue.data(), m_longValue.size(), out);
        break;
    }
    case types::Numeric:
    case types::ReplicationId:
        m_plan.libraryValue(page, static_cast<int>(at - page), cell.length, column, out);
        break;
    default: // binary and OLE objects carry nothing the program reads
        out.writeAscii({});
        break;
    }
    return Result::Written;
}
