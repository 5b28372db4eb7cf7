// The shell's headers are used by pages that also include the model and the control library;
// this unit includes them together, so a name defined twice in namespace zyn fails the build.
#include "mail/SupportArchive.h"
#include "mail/SupportMail.h"
#include "model/GlobalRoutines.h"
#include "model/Observer.h"
#include "shell/Branding.h"
#include "shell/Einrichtungsexperte.h"
#include "shell/FormAbout.h"
#include "shell/FormCompressFile.h"
#include "shell/FormLgkonflikt.h"
#include "shell/FormSplash.h"
#include "shell/FormSupportRequest.h"
#include "shell/FrameManager.h"
#include "shell/GlobalGui.h"
#include "shell/PwrSave.h"
#include "shell/Translation.h"
#include "widgets/common/AlignLayout.h"
#include "widgets/common/BitmapHolder.h"
#include "widgets/common/BrowseDr.h"
#include "widgets/common/ExtListView.h"
#include "widgets/common/FoldPanel.h"
#include "widgets/common/FthHint.h"
#include "widgets/common/GPanel.h"
#include "widgets/common/Mkedit.h"
#include "widgets/common/Mkgrid.h"
#include "widgets/common/STMDisplay.h"
#include "widgets/common/ScrollingListBox.h"
#include "widgets/common/TimeEdit.h"
#include "widgets/common/WeekdayBox.h"
#include "widgets/common/ZSKb.h"
#include "widgets/common/ZYNDayMask.h"
#include "widgets/common/ZYNDipswitch.h"
#include "widgets/common/ZsSplitter.h"
#include "widgets/common/ZsStatusBar.h"
#include "widgets/controls/ZCLBaseEdit.h"
#include "widgets/controls/ZCLGraph.h"

#include <gtest/gtest.h>

#include <type_traits>

namespace zyn {
namespace {

TEST(HeadersTogether, ShellAlignmentAndBevelsKeepTheirOwnValues) {
  // the panels' scoped values and the control library's unscoped ones stand side by side
  EXPECT_EQ(static_cast<int>(TBevelCut::bvRaised), static_cast<int>(bvRaised));
  EXPECT_EQ(static_cast<int>(TTextAlignment::taCenter), 2);
  static_assert(!std::is_same_v<TSenderEvent, TNotifyEvent>);
}

}  // namespace
}  // namespace zyn
