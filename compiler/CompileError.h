#pragma once
// The error that ends a compile run: a German message naming what does not fit or is missing.

#include "model/base/Errors.h"

namespace zyn {

class ECompileError : public EZYNError {
 public:
  using EZYNError::EZYNError;
};

}  // namespace zyn
