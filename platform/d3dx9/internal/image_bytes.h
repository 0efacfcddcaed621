// An image file's bytes as the device Qt's decoders read from. Some of those decoders meet a
// file that ends too soon without failing: they fill what is missing or return the part they
// have. The device notes when a decoder wanted more than the file holds, so that such a file is
// told from a whole one.
#pragma once

#include <QIODevice>

#include <span>

class ImageBytes : public QIODevice {
public:
    // Opened for reading, unbuffered, so that each read of a decoder reaches readData as asked.
    explicit ImageBytes(std::span<const char> bytes);

    std::span<const unsigned char> Bytes() const { return m_bytes; }

    bool isSequential() const override { return false; }
    qint64 size() const override { return static_cast<qint64>(m_bytes.size()); }

    // Forgets what earlier reads found, before the decoding that is to be judged.
    void ForgetReads();
    // A read found nothing left to read.
    bool ReadAtEnd() const { return m_readAtEnd; }
    // A read found fewer bytes than it asked for.
    bool ShortRead() const { return m_shortRead; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    std::span<const unsigned char> m_bytes;
    bool m_readAtEnd = false;
    bool m_shortRead = false;
};
