#pragma once
// JPEG coding of the pictures recorded on pages, through libjpeg.

#include <QImage>

#include <cstdint>
#include <vector>

namespace zyn {

// The image as a baseline JPEG file (RGB, or grey for a greyscale image); empty for a null image.
std::vector<std::uint8_t> EncodeJpeg(const QImage& image, int quality = 90);
// The decoded picture; a null image when the bytes are no readable JPEG file.
QImage DecodeJpeg(const std::vector<std::uint8_t>& bytes);
// Width and height from the JPEG header without decoding; false when unreadable.
bool JpegSize(const std::vector<std::uint8_t>& bytes, int& width, int& height);

}  // namespace zyn
