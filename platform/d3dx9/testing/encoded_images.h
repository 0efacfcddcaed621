// Images encoded for tests and fuzzing seeds: by Qt's writers, and by hand in the formats Qt
// reads but does not write (TGA 2.0, GIF).
#pragma once

#include "platform/d3dx9/testing/image_samples.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageWriter>

#include <algorithm>
#include <string>
#include <vector>

// The image in one of Qt's formats ("png", "jpeg", ...) at a quality from 0 to 100 (-1: the
// writer's own; WebP at 100 is lossless); empty when Qt cannot write it.
inline std::string EncodedByQt(const QImage& image, const char* format, int quality = -1)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    return writer.write(image) ? bytes.toStdString() : std::string();
}

// Uncompressed, 32 bits a pixel with 8 of alpha, rows bottom first.
inline std::string TgaFromImage(const QImage& image)
{
    using namespace image_samples;
    std::string pixels;
    for (int y = image.height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb colour = image.pixel(x, y);
            pixels += Bytes({qBlue(colour), qGreen(colour), qRed(colour), qAlpha(colour)});
        }
    }
    return Bytes({0, 0, 2}) + std::string(9, '\0') + Le16(image.width()) + Le16(image.height()) + Bytes({32, 8}) +
           pixels + TgaFooter();
}

// A colour table entry for each of the first 256 colours met (later ones take entry 0); GIF
// keeps no alpha.
inline std::string GifFromImage(const QImage& image)
{
    std::vector<QRgb> colours;
    std::string table;
    std::string indices;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb colour = image.pixel(x, y) | 0xFF000000u;
            auto found = std::find(colours.begin(), colours.end(), colour);
            if (found == colours.end() && colours.size() < 256) {
                colours.push_back(colour);
                table += image_samples::Bytes({qRed(colour), qGreen(colour), qBlue(colour)});
                found = colours.end() - 1;
            }
            indices += static_cast<char>(found == colours.end() ? 0 : found - colours.begin());
        }
    }
    return image_samples::Gif(image.width(), image.height(), table, indices);
}
