#include "visu/VisuDaten.h"

namespace zyn {

int32_t TVisuDaten::PageWidth() const {
  switch (ScreenSize) {
    case TScreenSize::sz800:
      return 800;
    case TScreenSize::sz1280:
      return 1280;
    case TScreenSize::sz1600:
      return 1600;
    default:
      return 1024;
  }
}

int32_t TVisuDaten::PageHeight() const {
  switch (ScreenSize) {
    case TScreenSize::sz800:
      return 600;
    case TScreenSize::sz1280:
      return 1024;
    case TScreenSize::sz1600:
      return 1280;
    default:
      return 768;
  }
}

void TVisuDaten::ReadData(TReader& reader) {
  ScreenSize = static_cast<TScreenSize>(reader.ReadInteger());
  ScreenType = static_cast<TScreenType>(reader.ReadInteger());
  UseConnectFrame = reader.ReadBoolean();
  UseLoginFrame = reader.ReadBoolean();
  UseMenuFrame = reader.ReadBoolean();
  UseUserFrame = reader.ReadBoolean();
}

void TVisuDaten::WriteData(TWriter& writer) const {
  writer.WriteInteger(static_cast<int32_t>(ScreenSize));
  writer.WriteInteger(static_cast<int32_t>(ScreenType));
  writer.WriteBoolean(UseConnectFrame);
  writer.WriteBoolean(UseLoginFrame);
  writer.WriteBoolean(UseMenuFrame);
  writer.WriteBoolean(UseUserFrame);
}

}  // namespace zyn
