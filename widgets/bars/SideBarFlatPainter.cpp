#include "widgets/bars/SideBarFlatPainter.h"

namespace zyn {

std::unique_ptr<TzbSideBarViewInfo> TzbSideBarFlatPainter::CreateViewInfo() {
  return std::make_unique<TzbSideBarFlatViewInfo>(*this);
}

}  // namespace zyn
