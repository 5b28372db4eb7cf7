#pragma once
// The user administration frame: lists the users of a user list and lets an administrator add,
// change and delete them. On the project's users page it edits the project's list (Designing set:
// the frame never frees the list and saves no file); in the run time it keeps the user file up to
// date after every change.

#include "visu/VisuUserData.h"
#include "visu/ui/VisuLogin.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidget>

#include <functional>

namespace zyn {

class TVisuUserAdminFrame : public QWidget, public TVisuComponent {
 public:
  explicit TVisuUserAdminFrame(QWidget* parent = nullptr);
  ~TVisuUserAdminFrame() override;
  ZYN_VISU_CLASS(TVisuUserAdminFrame)

  bool Designing = false;
  // The user file that the run time keeps ("" on the project's page: nothing is saved).
  std::string UserFileName;
  // Called after every change of the attached list (the project page sets its Modified flag).
  std::function<void()> OnModified;

  QTreeWidget* UserList;
  TVNButton* VNMainMenue;
  QPushButton *BtnEdit, *BtnNew, *BtnDelete, *BtnCancel, *BtnCommit;
  QLineEdit *EDUser, *EDPwd1, *EDPwd2, *EDIdent;
  QComboBox* CBLevel;
  QCheckBox* CBNumeric;

  // Attaches the list (or none) and refills the view. Without Designing, the frame frees a list
  // still attached when it goes.
  void SetUserList(TUserDataList* list);
  TUserDataList* UserListData() const { return fList; }
  void RefreshUserList();
  void ClearUserFields();
  void EnableEditButtons(bool on);
  void EnableListButtons(bool on);

  void BtnEditClick();
  void BtnNewClick();
  void BtnCancelClick();
  void BtnCommitClick();
  void BtnDeleteClick();

 protected:
  bool ReadProperty(std::string_view name, const TFilerValue& value) override;
  void WriteProperties(std::vector<TPropertyRecord>& out) const override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent*) override;

 private:
  void Changed();
  TUserDataList* fList = nullptr;
};

}  // namespace zyn
