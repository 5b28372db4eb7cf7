#include "widgets/bars/SideBarTypes.h"

namespace zyn {

void SideBarListIndexError(int index) {
  throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
}

}  // namespace zyn
