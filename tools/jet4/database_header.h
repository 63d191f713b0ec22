#pragma once

#include <cstdint>
#include <vector>

namespace jet4::detail {

/// Day count since 1899-12-30 that the files record as their creation date
/// (2000-01-01), so that the same tables always give the same bytes.
inline constexpr double kCreationDate = 36526.0;

/// Page 0: Jet 4 signature and version, and the 128-byte block that Jet
/// stores RC4-encrypted with a fixed key (code page 1252, database key 0 so
/// no other page is encrypted, an empty password, sort order General).
std::vector<std::uint8_t> buildHeaderPage();

} // namespace jet4::detail
