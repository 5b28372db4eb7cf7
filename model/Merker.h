#pragma once
// A flag of a control module: a one-bit state that links set and whose changes trigger links.

#include "model/Kanal.h"

namespace zyn {

class TMerker : public TKanal {
 public:
  TMerker();
  ~TMerker() override;

  // Work values of the tools and pages; not persisted.
  int32_t SetAddress = 0;
  int32_t SetValue = 0;

  void Reset();
  void CopyFrom(const TMerker& source);
  void UpdateFrom(const TMerker& source);
  void ReadData(TReader& reader) override;
};

}  // namespace zyn
