#include "print/GmJpeg.h"

#include <QPainter>
#include <jpeglib.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

namespace zyn {

namespace {

struct TJpegError {
  jpeg_error_mgr mgr;
  std::jmp_buf jump;
};

void OnJpegError(j_common_ptr info) {
  auto* err = reinterpret_cast<TJpegError*>(info->err);
  std::longjmp(err->jump, 1);
}

void OnJpegMessage(j_common_ptr) {}  // warnings of damaged files are not printed

// Largest picture decoded: a recorded picture is never larger than a printed page at 600 dpi.
constexpr unsigned kMaxSide = 20000;

}  // namespace

std::vector<std::uint8_t> EncodeJpeg(const QImage& image, int quality) {
  if (image.isNull()) return {};
  const bool grey = image.format() == QImage::Format_Grayscale8;
  QImage opaque = image;
  if (image.hasAlphaChannel()) {
    // JPEG has no transparency: transparent parts become the paper's white.
    opaque = QImage(image.size(), QImage::Format_RGB32);
    opaque.fill(Qt::white);
    QPainter p(&opaque);
    p.drawImage(0, 0, image);
  }
  const QImage src = grey ? opaque : opaque.convertToFormat(QImage::Format_RGB888);
  jpeg_compress_struct cinfo{};
  TJpegError err{};
  cinfo.err = jpeg_std_error(&err.mgr);
  err.mgr.error_exit = OnJpegError;
  unsigned char* out = nullptr;
  unsigned long outSize = 0;
  if (setjmp(err.jump)) {
    jpeg_destroy_compress(&cinfo);
    std::free(out);
    return {};
  }
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, &out, &outSize);
  cinfo.image_width = static_cast<JDIMENSION>(src.width());
  cinfo.image_height = static_cast<JDIMENSION>(src.height());
  cinfo.input_components = grey ? 1 : 3;
  cinfo.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(src.constScanLine(static_cast<int>(cinfo.next_scanline)));
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::vector<std::uint8_t> bytes(out, out + outSize);
  std::free(out);
  return bytes;
}

namespace {

// Reads the header; on success the caller owns a started decompressor.
bool ReadHeader(jpeg_decompress_struct& cinfo, const std::vector<std::uint8_t>& bytes) {
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
  return jpeg_read_header(&cinfo, TRUE) == JPEG_HEADER_OK;
}

}  // namespace

bool JpegSize(const std::vector<std::uint8_t>& bytes, int& width, int& height) {
  if (bytes.empty()) return false;
  jpeg_decompress_struct cinfo{};
  TJpegError err{};
  cinfo.err = jpeg_std_error(&err.mgr);
  err.mgr.error_exit = OnJpegError;
  err.mgr.output_message = OnJpegMessage;
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  const bool ok = ReadHeader(cinfo, bytes);
  width = static_cast<int>(cinfo.image_width);
  height = static_cast<int>(cinfo.image_height);
  jpeg_destroy_decompress(&cinfo);
  return ok;
}

QImage DecodeJpeg(const std::vector<std::uint8_t>& bytes) {
  if (bytes.empty()) return {};
  jpeg_decompress_struct cinfo{};
  TJpegError err{};
  cinfo.err = jpeg_std_error(&err.mgr);
  err.mgr.error_exit = OnJpegError;
  err.mgr.output_message = OnJpegMessage;
  // Declared before setjmp and only assigned afterwards, so the jump leaves it in a valid state.
  QImage* image = new QImage;
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&cinfo);
    delete image;
    return {};
  }
  if (!ReadHeader(cinfo, bytes) || cinfo.image_width == 0 || cinfo.image_height == 0 || cinfo.image_width > kMaxSide ||
      cinfo.image_height > kMaxSide) {
    jpeg_destroy_decompress(&cinfo);
    delete image;
    return {};
  }
  cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&cinfo);
  *image = QImage(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height), QImage::Format_RGB888);
  if (image->isNull()) {
    jpeg_destroy_decompress(&cinfo);
    delete image;
    return {};
  }
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = image->scanLine(static_cast<int>(cinfo.output_scanline));
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  QImage result = image->convertToFormat(QImage::Format_RGB32);
  delete image;
  return result;
}

}  // namespace zyn
