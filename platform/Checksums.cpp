// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "platform/Checksums.h"

#include <algorithm>

namespace Orvane
{

namespace
{

constexpr std::array<std::uint32_t, 256> crcTable()
{
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t index = 0; index < 256; ++index) {
        std::uint32_t value = index;
        for (int bit = 0; bit < 8; ++bit)
            value = (value >> 1) ^ (0xedb88320u & (0u - (value & 1u)));
        table[index] = value;
    }
    return table;
}
constexpr std::array<std::uint32_t, 256> table = crcTable();

std::uint32_t rotated(std::uint32_t value, int bits)
{
    return (value << bits) | (value >> (32 - bits));
}

} // namespace

void Crc32::add(std::string_view bytes)
{
    std::uint32_t state = m_state;
    for (const char byte : bytes)
        state = table[(state ^ static_cast<unsigned char>(byte)) & 0xff] ^ (state >> 8);
    m_state = state;
}

std::string hexOf(std::uint32_t crc)
{
    constexpr char digits[] = "0123456789abcdef";
    std::string text(8, '0');
    for (int index = 7; index >= 0; --index, crc >>= 4)
        text[static_cast<std::size_t>(index)] = digits[crc & 15];
    return text;
}

void Sha1::block(const unsigned char* data)
{
    std::array<std::uint32_t, 80> words{};
    for (int index = 0; index < 16; ++index)
        words[index] = std::uint32_t(data[4 * index]) << 24 | std::uint32_t(data[4 * index + 1]) << 16 |
                       std::uint32_t(data[4 * index + 2]) << 8 | data[4 * index + 3];
    for (int index = 16; index < 80; ++index)
        words[index] = rotated(words[index - 3] ^ words[index - 8] ^ words[index - 14] ^ words[index - 16], 1);
    auto [a, b, c, d, e] = m_state;
    for (int index = 0; index < 80; ++index) {
        std::uint32_t mixed, constant;
        if (index < 20) {
            mixed = (b & c) | (~b & d);
            constant = 0x5a827999;
        } else if (index < 40) {
            mixed = b ^ c ^ d;
            constant = 0x6ed9eba1;
        } else if (index < 60) {
            mixed = (b & c) | (b & d) | (c & d);
            constant = 0x8f1bbcdc;
        } else {
            mixed = b ^ c ^ d;
            constant = 0xca62c1d6;
        }
        const std::uint32_t next = rotated(a, 5) + mixed + e + constant + words[index];
        e = d;
        d = c;
        c = rotated(b, 30);
        b = a;
        a = next;
    }
    m_state[0] += a;
    m_state[1] += b;
    m_state[2] += c;
    m_state[3] += d;
    m_state[4] += e;
}

void Sha1::add(std::string_view bytes)
{
    m_length += bytes.size();
    while (!bytes.empty()) {
        const std::size_t taken = std::min(bytes.size(), m_pending.size() - m_pendingSize);
        std::copy_n(bytes.data(), taken, m_pending.data() + m_pendingSize);
        m_pendingSize += taken;
        bytes.remove_prefix(taken);
        if (m_pendingSize == m_pending.size()) {
            block(m_pending.data());
            m_pendingSize = 0;
        }
    }
}

std::string Sha1::hex()
{
    const std::uint64_t bits = m_length * 8;
    add(std::string_view("\x80", 1));
    while (m_pendingSize != 56)
        add(std::string_view("\0", 1));
    for (int index = 7; index >= 0; --index) {
        const char byte = static_cast<char>((bits >> (8 * index)) & 0xff);
        add(std::string_view(&byte, 1));
    }
    std::string text;
    for (const std::uint32_t word : m_state)
        text += hexOf(word);
    return text;
}

} // namespace Orvane
