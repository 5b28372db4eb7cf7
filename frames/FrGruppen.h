#pragma once
// The group pages "Gruppen bearbeiten": numbered sets of output channels that one link switches
// together. The page hosts two sub-pages in a frame manager of its own: the group data (the
// working copy of the group list, "Gruppendaten") and the members of one group, chosen by
// dragging outputs ("Kanäle hinzufügen"). While the members are edited the tool bar rests.

#include "frames/ListPage.h"
#include "widgets/common/ExtListView.h"

#include <QTreeWidget>

class QPushButton;

namespace zyn {

class TFrameManager;
class TFrGruppen;

// The member list: takes drops of modules and outputs from the tree of available channels.
class TMemberList : public TzsExtListView {
  Q_OBJECT
 public:
  explicit TMemberList(QWidget* parent = nullptr);
  // Whether a dragged node may be let go over the list (whether it is taken is said on the drop).
  std::function<bool(QTreeWidgetItem* node)> OnAccepts;
  std::function<void(QTreeWidgetItem* node)> OnDropNode;

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
};

class TFrGruppenKanal : public QWidget, public IFrameMessage {
  Q_OBJECT
 public:
  explicit TFrGruppenKanal(TFrGruppen* owner);

  void FrameActivate() override;
  void FrameDeactivate() override;
  int AskApplyChanges() override { return 6; }

  QTreeWidget* MTV = nullptr;  // available outputs by module
  TMemberList* KLV = nullptr;  // the members
  QPushButton* BtnTake = nullptr;
  QPushButton* BtnBack = nullptr;

  void SetGroupContext(TSteuermodul* stm, TGruppe* group);
  bool Modified() const { return fModified; }
  TGruppe& WorkGroup() { return fWorkGroup; }
  // Whether a node of the tree may be dropped: a module always, an output when it is not listed
  // and the group accepts it.
  bool Accepts(QTreeWidgetItem* node) const;
  // Adds the output, or every accepted output of the module not yet listed. An output the group
  // refuses, and a module none of whose outputs it takes, is reported (German, naming the channel
  // and the command lists) instead.
  void AddNode(QTreeWidgetItem* node);
  // Why the group does not take the output node: the message, or empty when it takes it.
  std::string Refusal(QTreeWidgetItem* node) const;
  void RemoveSelected();
  void TakeClick();
  void BackClick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool Listed(const std::string& adressString) const;
  void AddOutput(TModul* modul, TAusgang* output);
  TFrGruppen* fOwner;
  TGruppe fWorkGroup;
  TGruppe* fSourceGroup = nullptr;
  TSteuermodul* fStm = nullptr;
  bool fModified = false;
};

class TFrGruppen : public TListPage<TGruppenListe, TGruppe> {
  Q_OBJECT
 public:
  explicit TFrGruppen(QWidget* parent = nullptr);

  TFrameManager* FM = nullptr;
  TzsExtListView* KGKL = nullptr;
  QPushButton* AddBtn = nullptr;
  TFrGruppenKanal* Kanal = nullptr;

  void AddObject() override;
  void DeleteObject() override;
  void UpdatePage() override;
  void FrameDeactivate() override;
  // The members of the selected group changed on the channel sub-page.
  void MembersChanged();
  void EditMembers();

 protected:
  void ShowDetails(TZYNBaseObject* object) override;
  void ClearDetails() override;
};

}  // namespace zyn
