// Reads image bytes the way stb_image reads a file held in memory, so the checks made before
// decoding see the same values the decoder will: past the end every byte reads as 0 and the
// position stays at the end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

class ByteCursor {
public:
    explicit ByteCursor(std::span<const unsigned char> bytes, std::size_t at = 0)
        : m_bytes(bytes), m_at(at < bytes.size() ? at : bytes.size())
    {
    }

    unsigned U8() { return m_at < m_bytes.size() ? m_bytes[m_at++] : 0u; }
    unsigned U16Le()
    {
        const unsigned low = U8();
        return low | U8() << 8;
    }
    unsigned U16Be()
    {
        const unsigned high = U8();
        return high << 8 | U8();
    }
    std::uint32_t U32Le()
    {
        const std::uint32_t low = U16Le();
        return low | std::uint32_t{U16Le()} << 16;
    }
    std::uint32_t U32Be()
    {
        const std::uint32_t high = U16Be();
        return high << 16 | U16Be();
    }
    // A 32-bit field the decoder keeps in an int.
    std::int32_t I32Le() { return static_cast<std::int32_t>(U32Le()); }
    std::int32_t I32Be() { return static_cast<std::int32_t>(U32Be()); }

    // Moves on by count bytes, stopping at the end.
    void Skip(std::uint64_t count) { m_at += count < Remaining() ? static_cast<std::size_t>(count) : Remaining(); }
    void SkipToEnd() { m_at = m_bytes.size(); }

    bool AtEnd() const { return m_at >= m_bytes.size(); }
    std::size_t Position() const { return m_at; }
    std::size_t Remaining() const { return m_bytes.size() - m_at; }

private:
    std::span<const unsigned char> m_bytes;
    std::size_t m_at;
};
