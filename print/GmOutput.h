#pragma once
// Replaying recorded pages: onto an image at a resolution, and into a PDF file that any reader
// can open (fonts embedded, text extractable).

#include "print/GmPageList.h"

#include <QImage>

#include <string>

namespace zyn {

// The page on white at the resolution.
QImage RenderPage(const TGmPage& page, TGmExtended ppi, bool forScreen = false);

// Every page of the list, each at its own size, into a PDF file (path in UTF-8). The file is
// written beside its place and renamed over it, so a failed write leaves no damaged file;
// EWriteError names the file on failure.
void SavePagesToPdf(const TGmPageList& list, const std::string& path, int resolution = 1200,
                    const std::string& title = {});

}  // namespace zyn
