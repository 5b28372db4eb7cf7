#pragma once
// The log-in frames of the run time and their key pad: TVisuUserLogin2 (user list, key pad and
// two navigation buttons), TVisuUserLogin1 (name and password fields; with StandAlone the log-in
// of the administration tool, which admits administrators only) and TNumberBlk. Each frame reads
// the user file "VisuUserData.udf" from the folder of the running programme.

#include "visu/VisuUserData.h"
#include "visu/ui/VisuFrames.h"

#include <QComboBox>
#include <QLineEdit>

namespace zyn {

class TNumberBlk : public QWidget, public TVisuComponent {
 public:
  using TPwdEvent = std::function<void(QObject* sender, std::string& pwd)>;
  explicit TNumberBlk(QWidget* parent = nullptr);
  ZYN_VISU_CLASS(TNumberBlk)

  std::string PassString;
  TPwdEvent OnUpdateEdit;
  TPwdEvent OnPwdInserted;
  // A key by its caption: "0" to "9", "CE", "C", "OK".
  void PressKey(const std::string& key);
  QPushButton* Key(const std::string& caption) const;

 protected:
  bool ReadProperty(std::string_view name, const TFilerValue& value) override;
  void WriteProperties(std::vector<TPropertyRecord>& out) const override;
};

// What both log-in frames share: their own copy of the users, read from the user file.
class TVisuLoginBase : public TVisuFrameBase, public IUserLogin {
 public:
  TVisuLoginBase(QWidget* parent, int width, int height);
  TUserDataList& Users() { return fUsers; }
  const std::string& UserFileName() const { return fUserFile; }
  IUserManager* UserManager() const { return fManager; }

 protected:
  // Reads the user file anew: the users it holds replace those read before (so a second hand-over
  // of the manager does not show every user twice). A missing or damaged file is reported when
  // asked (not while a page with the frame is only being built in the designer).
  void LoadUsers(bool report = true);
  IUserManager* fManager = nullptr;

 private:
  TUserDataList fUsers;
  std::string fUserFile;
};

class TVisuUserLogin2 : public TVisuLoginBase {
 public:
  explicit TVisuUserLogin2(QWidget* parent = nullptr);
  ZYN_VISU_CLASS(TVisuUserLogin2)

  QComboBox* CBUser;
  QLineEdit* EDPwd;
  TNumberBlk* NumberBlk1;
  TVNButton* BtnStart;
  TVNButton* BtnMenu;

  void SetUserManager(IUserManager* manager) override;
  // The user list got the focus: filled with the user names when empty.
  void UserBoxEntered();
  // The key pad's OK.
  void PasswordInserted();

 protected:
  bool ReadProperty(std::string_view name, const TFilerValue& value) override;
  void WriteProperties(std::vector<TPropertyRecord>& out) const override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void DisableButtons();
};

class TVisuUserLogin1 : public TVisuLoginBase {
 public:
  explicit TVisuUserLogin1(QWidget* parent = nullptr);
  ZYN_VISU_CLASS(TVisuUserLogin1)

  QLineEdit* EDUser;
  QLineEdit* EDPwd;
  TVNButton* VNBtnLogin;
  bool StandAlone = false;

  void SetUserManager(IUserManager* manager) override;
  void LoginClick();
  // Asks the main window to close.
  void BtnCloseAppClick();

 protected:
  bool ReadProperty(std::string_view name, const TFilerValue& value) override;
  void WriteProperties(std::vector<TPropertyRecord>& out) const override;
};

// "%s" in a text replaced by the argument.
std::string FormatS(const std::string& text, const std::string& arg);

}  // namespace zyn
