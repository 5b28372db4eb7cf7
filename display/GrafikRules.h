#pragma once
// The rules of the graphic editor that need no drawing: view to picture coordinates with the grid,
// the size of a new picture, the scaling of a selection, and the monochrome BMP file form.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zyn {

constexpr int MaxGrafikWidth = 240;
constexpr int MaxGrafikHeight = 104;

// x divided by step, rounded (halves to the even number), times step.
int SnapToGrid(int value, int step);
// A view point to a picture point: divided by the zoom plus the scroll position; at zoom 1 the
// point is snapped to the grid first (unless snap is false, as for the flood fill).
void ViewToDocument(int vx, int vy, int zoom, int scrollX, int scrollY, int step, bool snap, int& dx, int& dy);

// The size typed into the new-picture dialog. Empty is false (the dialog asks again); a text that
// is no number gives 240 x 104; every size is kept within 1..240 x 1..104.
bool NewPictureSize(const std::string& widthText, const std::string& heightText, int& width, int& height);

// A size scaled by percent and rounded (at least 1).
int ScaledLength(int length, int percent);

// A 1-bit BMP file (bottom-up rows, palette black then white) of a picture whose pixel (x, y) is
// black when black(x, y) answers true.
std::vector<uint8_t> MonoBmpBytes(int width, int height, const std::function<bool(int x, int y)>& black);
// The bits per pixel of a BMP file's header, or 0 when the bytes are no BMP file.
int BmpBitsPerPixel(const std::vector<uint8_t>& bytes);

}  // namespace zyn
