#include "platform/d3dx9/internal/image_bytes.h"

#include <algorithm>
#include <cstring>

ImageBytes::ImageBytes(std::span<const char> bytes)
    : m_bytes(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size())
{
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

void ImageBytes::ForgetReads()
{
    m_readAtEnd = false;
    m_shortRead = false;
}

qint64 ImageBytes::readData(char* data, qint64 maxSize)
{
    const qint64 at = std::clamp<qint64>(pos(), 0, size());
    const qint64 count = std::clamp<qint64>(maxSize, 0, size() - at);
    if (maxSize > 0 && count < maxSize) {
        m_shortRead = true;
        m_readAtEnd = m_readAtEnd || count == 0;
    }
    if (count > 0) {
        std::memcpy(data, m_bytes.data() + at, static_cast<std::size_t>(count));
    }
    return count;
}

qint64 ImageBytes::writeData(const char*, qint64) { return -1; }
