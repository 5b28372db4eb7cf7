#pragma once
// The LZRW1-KH block compression of the list files: runs, copies within 4095 bytes and literals
// under 16-bit control words; a chunk that would grow is stored instead.

#include <QByteArray>

namespace zyn {

constexpr int kMaxChunk = 32781;

// Compresses one chunk of at most kMaxChunk bytes.
QByteArray CompressChunk(const QByteArray& input);
// Reverses CompressChunk; malformed input gives what could be decoded (never reads past the end).
QByteArray DecompressChunk(const QByteArray& chunk);

// The compressed block stream: a 32-bit total, then per chunk its 32-bit length and the chunk.
QByteArray CompressBlock(const QByteArray& data);
// Reads one block stream from data at pos (advanced past it); false when it is cut short.
bool DecompressBlock(const QByteArray& data, int& pos, QByteArray& out);

}  // namespace zyn
