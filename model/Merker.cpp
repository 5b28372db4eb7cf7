#include "model/Merker.h"

#include "model/base/Filer.h"

namespace zyn {

namespace {
const char* const kMerkerBefehle = "Eingangsfunktionen Merker";
}  // namespace

TMerker::TMerker() { BefehlsListe = kMerkerBefehle; }

TMerker::~TMerker() { fObservers.BroadcastDeleted(this); }

void TMerker::Reset() {
  SetAddress = 0;
  SetValue = 0;
}

void TMerker::CopyFrom(const TMerker& source) {
  TKanal::CopyFrom(source);
  SetAddress = source.SetAddress;
  SetValue = source.SetValue;
}

void TMerker::UpdateFrom(const TMerker& source) {
  TKanal::UpdateFrom(source);
  SetAddress = source.SetAddress;
  SetValue = source.SetValue;
}

void TMerker::ReadData(TReader& reader) {
  TKanal::ReadData(reader);
  BefehlsListe = kMerkerBefehle;
}

}  // namespace zyn
