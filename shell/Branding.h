#pragma once
// The programme's branding: the pictures of the splash form, the about box and the set-up
// wizard, their text colours, the programme icon and the maker's addresses. The pictures are
// painted here, so the programme needs no picture files.

#include "platform/Colors.h"

#include <QIcon>
#include <QImage>

#include <string>

namespace zyn {

QImage GetSplashBitmap();  // 410 x 246
TColor GetSplashColor();   // the colour of the splash form's version text
QImage GetAboutBitmap();   // 473 x 306
TColor GetAboutColor();    // the colour of the about box's texts
QImage GetConfigBitmap();  // 150 x 270, the side picture of the wizard's welcome page
QIcon GetMainIcon();
// The default home page and update addresses of the options.
std::string GetHomepage();
std::string GetUpdateFTP();
// The maker's support mail address (the default of the option "Support-Adresse").
std::string GetSupportAddress();

}  // namespace zyn
