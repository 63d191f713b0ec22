#include "jet4/text_encoding.h"

#include <cstring>
#include <stdexcept>
#include <string>

namespace jet4::detail {

namespace {

[[noreturn]] void throwMalformed(std::size_t at)
{
    throw std::invalid_argument("text is not valid UTF-8 (byte " + std::to_string(at) + ")");
}

/// Calls `visit(codePoint)` for each code point, rejecting overlong forms,
/// surrogates and values above U+10FFFF.
template<typename Visitor>
void forEachCodePoint(std::string_view text, Visitor&& visit)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    std::size_t i = 0;
    while (i < size) {
        const unsigned char lead = bytes[i];
        if (lead < 0x80) {
            visit(char32_t{lead});
            ++i;
            continue;
        }
        std::size_t extra = 0;
        char32_t codePoint = 0;
        char32_t minimum = 0;
        if ((lead & 0xE0) == 0xC0) {
            extra = 1;
            codePoint = lead & 0x1F;
            minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2;
            codePoint = lead & 0x0F;
            minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3;
            codePoint = lead & 0x07;
            minimum = 0x10000;
        } else {
            throwMalformed(i);
        }
        if (i + extra >= size) {
            throwMalformed(i);
        }
        for (std::size_t k = 1; k <= extra; ++k) {
            const unsigned char next = bytes[i + k];
            if ((next & 0xC0) != 0x80) {
                throwMalformed(i + k);
            }
            codePoint = (codePoint << 6) | (next & 0x3F);
        }
        if (codePoint < minimum || codePoint > 0x10FFFF ||
            (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
            throwMalformed(i);
        }
        visit(codePoint);
        i += extra + 1;
    }
}

std::uint8_t* putUnit(std::uint8_t* at, char32_t unit)
{
    at[0] = static_cast<std::uint8_t>(unit);
    at[1] = static_cast<std::uint8_t>(unit >> 8);
    return at + 2;
}

bool isPlainAscii(std::string_view text)
{
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == 0 || byte >= 0x80) { // NUL, or part of a multi-byte sequence
            return false;
        }
    }
    return true;
}

/// Grows `out` by `extra` bytes and returns where they start.
std::uint8_t* grow(std::vector<std::uint8_t>& out, std::size_t extra)
{
    const std::size_t old = out.size();
    out.resize(old + extra);
    return out.data() + old;
}

} // namespace

std::size_t appendJetText(std::string_view text, std::vector<std::uint8_t>& out)
{
    // Most test and benchmark text is plain ASCII; it skips UTF-8 decoding.
    if (isPlainAscii(text)) {
        if (text.size() > 2) {
            std::uint8_t* at = grow(out, 2 + text.size());
            at[0] = 0xFF;
            at[1] = 0xFE;
            std::memcpy(at + 2, text.data(), text.size());
        } else {
            std::uint8_t* at = grow(out, 2 * text.size());
            for (const char c : text) {
                at = putUnit(at, static_cast<unsigned char>(c));
            }
        }
        return text.size();
    }

    std::size_t units = 0;
    bool compressible = true;
    forEachCodePoint(text, [&](char32_t codePoint) {
        units += codePoint > 0xFFFF ? 2 : 1;
        // A 0x00 byte switches modes in the compressed form, so U+0000 cannot
        // be written there.
        compressible = compressible && codePoint >= 0x01 && codePoint <= 0xFF;
    });

    if (compressible && units > 2) {
        std::uint8_t* at = grow(out, 2 + units);
        *at++ = 0xFF;
        *at++ = 0xFE;
        forEachCodePoint(text,
                         [&](char32_t codePoint) { *at++ = static_cast<std::uint8_t>(codePoint); });
        return units;
    }

    std::uint8_t* at = grow(out, 2 * units);
    forEachCodePoint(text, [&](char32_t codePoint) {
        if (codePoint > 0xFFFF) {
            const char32_t offset = codePoint - 0x10000;
            at = putUnit(at, 0xD800 + (offset >> 10));
            at = putUnit(at, 0xDC00 + (offset & 0x3FF));
        } else {
            at = putUnit(at, codePoint);
        }
    });
    return units;
}

} // namespace jet4::detail
