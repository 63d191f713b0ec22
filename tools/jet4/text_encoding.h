#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace jet4::detail {

/// Appends UTF-8 `text` in Jet 4 storage form and returns its length in
/// characters (UTF-16 code units, which is what a Text(n) column counts).
/// Text whose characters all lie in U+0001..U+00FF and that is longer than two
/// characters is stored compressed (FF FE, then one byte per character);
/// everything else is stored as plain UTF-16LE. Throws std::invalid_argument
/// for malformed UTF-8.
std::size_t appendJetText(std::string_view text, std::vector<std::uint8_t>& out);

} // namespace jet4::detail
