// The shell's headers are used by pages that also include the model and the control library;
// this unit includes them together, so a name defined twice in namespace zyn fails the build.
#include "model/Observer.h"
#include "shell/AlignLayout.h"
#include "shell/BitmapHolder.h"
#include "shell/Branding.h"
#include "shell/BrowseDr.h"
#include "shell/Einrichtungsexperte.h"
#include "shell/ExtListView.h"
#include "shell/FoldPanel.h"
#include "shell/FormAbout.h"
#include "shell/FormCompressFile.h"
#include "shell/FormLgkonflikt.h"
#include "shell/FormSplash.h"
#include "shell/FormSupportRequest.h"
#include "shell/FrameManager.h"
#include "shell/FthHint.h"
#include "shell/GPanel.h"
#include "shell/GlobalGui.h"
#include "shell/Mkedit.h"
#include "shell/Mkgrid.h"
#include "shell/PwrSave.h"
#include "shell/STMDisplay.h"
#include "shell/ScrollingListBox.h"
#include "shell/TimeEdit.h"
#include "shell/Translation.h"
#include "shell/WeekdayBox.h"
#include "shell/ZSKb.h"
#include "shell/ZYNDayMask.h"
#include "shell/ZYNDipswitch.h"
#include "shell/zsSplitter.h"
#include "shell/zsStatusBar.h"
#include "mail/SupportArchive.h"
#include "mail/SupportMail.h"
#include "widgets/controls/ZCLBaseEdit.h"
#include "widgets/controls/ZCLGraph.h"
#include "model/GlobalRoutines.h"

#include <gtest/gtest.h>
#include <type_traits>

namespace zyn {
namespace {

TEST(HeadersTogether, ShellAlignmentAndBevelsKeepTheirOwnValues) {
  // the panels' scoped values and the control library's unscoped ones stand side by side
  EXPECT_EQ(static_cast<int>(TBevelCut::bvRaised), static_cast<int>(bvRaised));
  EXPECT_EQ(static_cast<int>(TShellAlignment::taCenter), 2);
  static_assert(!std::is_same_v<TSenderEvent, TNotifyEvent>);
}

}  // namespace
}  // namespace zyn
