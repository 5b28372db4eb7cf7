#pragma once
// Screen settings of the visualisation: page size, kind of screen and the standard pages the
// run time offers.

#include "model/base/Filer.h"
#include "visu/VisuTypes.h"

namespace zyn {

class TVisuDaten {
 public:
  TScreenSize ScreenSize = TScreenSize::sz1024;
  TScreenType ScreenType = TScreenType::stStandard;
  bool UseConnectFrame = false;
  bool UseLoginFrame = false;
  bool UseMenuFrame = false;
  bool UseUserFrame = false;

  // Width and height in pixels of a page of ScreenSize (an unknown size counts as 1024 x 768).
  int32_t PageWidth() const;
  int32_t PageHeight() const;

  // Integer ScreenSize, integer ScreenType, then the four flags as Booleans.
  void ReadData(TReader& reader);
  void WriteData(TWriter& writer) const;

  bool operator==(const TVisuDaten&) const = default;
};

}  // namespace zyn
