#include "jet4/database_header.h"

#include "jet4/byte_order.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <utility>

namespace jet4::detail {

namespace {

constexpr std::size_t kPage = 4096;
constexpr std::size_t kEncryptedStart = 0x18;
constexpr std::size_t kEncryptedLength = 128;

/// RC4 is symmetric: the same call encrypts and decrypts.
void rc4(const std::array<std::uint8_t, 4>& key, std::uint8_t* data, std::size_t length)
{
    std::array<std::uint8_t, 256> state{};
    for (std::size_t i = 0; i < state.size(); ++i) {
        state[i] = static_cast<std::uint8_t>(i);
    }
    std::uint8_t j = 0;
    for (std::size_t i = 0; i < state.size(); ++i) {
        j = static_cast<std::uint8_t>(j + state[i] + key[i % key.size()]);
        std::swap(state[i], state[j]);
    }
    std::uint8_t x = 0;
    std::uint8_t y = 0;
    for (std::size_t n = 0; n < length; ++n) {
        x = static_cast<std::uint8_t>(x + 1);
        y = static_cast<std::uint8_t>(y + state[x]);
        std::swap(state[x], state[y]);
        data[n] ^= state[static_cast<std::uint8_t>(state[x] + state[y])];
    }
}

} // namespace

std::vector<std::uint8_t> buildHeaderPage()
{
    std::vector<std::uint8_t> page(kPage, 0);
    std::uint8_t* p = page.data();
    p[1] = 0x01;
    std::memcpy(p + 0x04, "Standard Jet DB", 16);
    putU32(p + 0x14, 1); // Jet 4

    putU16(p + 0x3C, 1252);
    putU32(p + 0x3E, 0); // database key 0: pages are not encrypted
    // An empty password is stored as the mask derived from the creation date.
    const auto dateMask = static_cast<std::uint32_t>(std::floor(kCreationDate));
    for (std::size_t at = 0x42; at < 0x6A; at += 4) {
        putU32(p + at, dateMask);
    }
    putU32(p + 0x6E, 0x0409);
    putU64(p + 0x72, std::bit_cast<std::uint64_t>(kCreationDate));

    rc4({0xC7, 0xDA, 0x39, 0x6B}, p + kEncryptedStart, kEncryptedLength);
    return page;
}

} // namespace jet4::detail
