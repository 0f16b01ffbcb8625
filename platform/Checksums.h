// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace Orvane
{

// The checksums the emulator's software lists give every ROM: CRC-32 (as zip stores it) and SHA-1, each fed in
// pieces so a file is read once.
class Crc32
{
public:
    void add(std::string_view bytes);
    std::uint32_t value() const { return ~m_state; }

private:
    std::uint32_t m_state = 0xffffffff;
};

class Sha1
{
public:
    void add(std::string_view bytes);
    // Lower-case hexadecimal, as the lists write it. Ends the hash: nothing may be added after.
    std::string hex();

private:
    void block(const unsigned char* data);

    std::array<std::uint32_t, 5> m_state{0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476, 0xc3d2e1f0};
    std::array<unsigned char, 64> m_pending{};
    std::size_t m_pendingSize = 0;
    std::uint64_t m_length = 0;
};

// "%08x" of a CRC-32, as the lists write it.
std::string hexOf(std::uint32_t crc);

} // namespace Orvane
