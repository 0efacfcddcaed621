// Gathers the many small writes of a text export (numbers, separators) into pieces of about
// 64 KiB for a sink, so a file of millions of lines costs few calls.
#pragma once

#include "base/file_access.h"

#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>

class PieceWriter {
public:
    explicit PieceWriter(ContentSink& sink) : m_sink(sink) { m_piece.reserve(kPieceBytes + kRoom); }
    ~PieceWriter() { Flush(); }
    PieceWriter(const PieceWriter&) = delete;
    PieceWriter& operator=(const PieceWriter&) = delete;

    void Append(std::string_view text)
    {
        m_piece.append(text);
        FlushWhenFull();
    }
    void Append(char c)
    {
        m_piece += c;
        FlushWhenFull();
    }
    // The shortest form that reads back exactly.
    void Append(float value)
    {
        AppendChars([&](char* first, char* last) { return std::to_chars(first, last, value); });
    }
    // As printf's %.<digits>g.
    void AppendGeneral(float value, int digits)
    {
        AppendChars([&](char* first, char* last) {
            return std::to_chars(first, last, value, std::chars_format::general, digits);
        });
    }
    void Append(std::uint64_t value)
    {
        AppendChars([&](char* first, char* last) { return std::to_chars(first, last, value); });
    }

    void Flush()
    {
        m_sink.Write(m_piece);
        m_piece.clear();
    }
    bool Failed() const { return m_sink.Failed(); }

private:
    static constexpr std::size_t kPieceBytes = std::size_t{64} << 10;
    static constexpr std::size_t kRoom = 64;

    template <typename Convert> void AppendChars(Convert convert)
    {
        char text[kRoom];
        const std::to_chars_result result = convert(text, text + kRoom);
        m_piece.append(text, result.ptr);
        FlushWhenFull();
    }
    void FlushWhenFull()
    {
        if (m_piece.size() >= kPieceBytes) {
            Flush();
        }
    }

    ContentSink& m_sink;
    std::string m_piece;
};
