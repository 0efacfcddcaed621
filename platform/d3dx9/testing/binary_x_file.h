// Builds binary X files token by token for tests and fuzzing seeds: the header, then names,
// strings, braces and number lists in the binary encoding (little-endian words and double
// words, floats as 32-bit patterns).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

class BinaryXFile {
public:
    BinaryXFile() : m_bytes("xof 0303bin 0032") {}

    BinaryXFile& Word(std::uint32_t value)
    {
        m_bytes += static_cast<char>(value & 0xFF);
        m_bytes += static_cast<char>((value >> 8) & 0xFF);
        return *this;
    }
    BinaryXFile& Dword(std::uint32_t value) { return Word(value & 0xFFFF).Word(value >> 16); }
    BinaryXFile& Name(const std::string& name)
    {
        Word(1).Dword(static_cast<std::uint32_t>(name.size()));
        m_bytes += name;
        return *this;
    }
    // A string token with its terminating semicolon.
    BinaryXFile& String(const std::string& text)
    {
        Word(2).Dword(static_cast<std::uint32_t>(text.size()));
        m_bytes += text;
        return Word(20);
    }
    BinaryXFile& Open() { return Word(10); }
    BinaryXFile& Close() { return Word(11); }
    BinaryXFile& Integers(const std::vector<std::uint32_t>& values)
    {
        Word(6).Dword(static_cast<std::uint32_t>(values.size()));
        for (const std::uint32_t value : values) {
            Dword(value);
        }
        return *this;
    }
    BinaryXFile& Floats(const std::vector<float>& values)
    {
        Word(7).Dword(static_cast<std::uint32_t>(values.size()));
        for (const float value : values) {
            std::uint32_t bits = 0;
            std::memcpy(&bits, &value, sizeof bits);
            Dword(bits);
        }
        return *this;
    }
    // Empty integer and float lists in turn, six bytes each: a reader must not take stack or
    // time per list beyond reading it.
    BinaryXFile& EmptyLists(size_t count)
    {
        for (size_t i = 0; i < count; ++i) {
            Word(i % 2 == 0 ? 6 : 7).Dword(0);
        }
        return *this;
    }
    // Objects of the type opened each inside the one before, none closed.
    BinaryXFile& OpenNested(const std::string& type, size_t depth)
    {
        for (size_t i = 0; i < depth; ++i) {
            Name(type).Open();
        }
        return *this;
    }
    const std::string& Bytes() const { return m_bytes; }

private:
    std::string m_bytes;
};
