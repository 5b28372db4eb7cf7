#pragma once
// The ready-made page parts of the run time: the connector frame (connect and disconnect single
// control modules) and the menu frame (log-in, administration, connecting, start page, end). They
// know nothing of the bus: the run time installs the handlers that answer and act.

#include "shell/Translation.h"
#include "visu/ui/VisuButtons.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

class QCheckBox;

namespace zyn {

// What the frames of a page share: the designer side (mouse handlers become the frame's own,
// drag handlers go to its navigation buttons), an ignored focus, and the navigate handler.
class TVisuFrameBase : public QWidget, public TVisuComponent, public TVisuDesignerBase, public INavigator {
 public:
  TVisuFrameBase(QWidget* parent, int width, int height, bool passDesigning);
  void SetDragDropHandler(TVisuDragOverEvent over, TVisuDragDropEvent drop) override;
  std::string GetTarget() override { return {}; }
  void SetEvent(TNavigateEvent handler) override { fNavigate = std::move(handler); }
  void SetNavEnabled(bool) override {}
  void SetTarget(const std::string&) override {}
  const std::vector<TVNButton*>& NavButtons() const { return fNavButtons; }

 protected:
  void DesigningChanged() override;
  void paintEvent(QPaintEvent*) override;
  QLabel* AddLabel(const char* name, const char* caption, int x, int y, bool bold = false, int pixelSize = 0);
  QPushButton* AddButton(const char* name, const char* caption, int x, int y, int w = 120, int h = 28);
  TVNButton* AddNavButton(const char* name, const char* caption, int x, int y, int w = 120, int h = 28);
  void AddBevel(int x, int y, int w, int h);
  // Calls the navigate handler with the button's target (outside design mode).
  void NavigateFrom(TVNButton* button, bool needTarget);
  TNavigateEvent fNavigate;

 private:
  bool fPassDesigning;
  std::vector<TVNButton*> fNavButtons;
};

// One control module of the connector list.
struct TLBSTMData {
  int32_t Number = 0;
  bool Reachable = false;
  bool Connected = false;
};

class TVisuConnectorFrame : public TVisuFrameBase, public ISTMInfo, public ISTMConnector {
 public:
  explicit TVisuConnectorFrame(QWidget* parent = nullptr);
  ZYN_VISU_CLASS(TVisuConnectorFrame)

  QListWidget* CLBSTMs;
  QPushButton* BtnConn;
  QPushButton* BtnDis;
  TVNButton* BtnHome;

  std::string HomeZiel() const { return BtnHome->Target; }
  void SetHomeZiel(const std::string& target) { BtnHome->Target = target; }
  const std::string& NavButtonText() const { return fNavButtonText; }
  void SetNavButtonText(const std::string& text);
  // The list's entries in order.
  std::vector<TLBSTMData> Items() const;

  void GetAvailableSTMs(QObject* sender, int& count, std::vector<int32_t>& numbers) override;
  void GetConnectedSTMs(QObject* sender, int& count, std::vector<int32_t>& numbers) override;
  void GetUsedSTMs(QObject* sender, int& count, std::vector<int32_t>& numbers) override;
  void SetSTMInfoEvents(TSTMInfoEvent available, TSTMInfoEvent connected, TSTMInfoEvent used) override;
  void ConnectAllStm(QObject* sender) override;
  void ConnectStm(QObject* sender, int32_t number) override;
  void DisconnectAllStm(QObject* sender) override;
  void DisconnectStm(QObject* sender, int32_t number) override;
  void SetSTMConnectEvents(TSTMAllEvent connectAll, TSTMAllEvent disconnectAll, TSTMOneEvent connect,
                           TSTMOneEvent disconnect) override;

  void Loaded() override { TranslateFrame(this); }
  void FillList();
  void ListClick();
  void ConnClick();
  void DisClick();

 protected:
  bool ReadProperty(std::string_view name, const TFilerValue& value) override;
  void WriteProperties(std::vector<TPropertyRecord>& out) const override;

 private:
  void UpdateReachable();
  void UpdateConnected();
  void SetItem(int row, const TLBSTMData& data);
  TLBSTMData ItemData(int row) const;
  std::string fNavButtonText;
  TSTMInfoEvent fAvailable, fConnected, fUsed;
  TSTMAllEvent fConnectAll, fDisconnectAll;
  TSTMOneEvent fConnect, fDisconnect;
  bool fFilling = false;
};

class TVisuMenuFrame : public TVisuFrameBase, public IUserLogin, public ISTMConnector {
 public:
  explicit TVisuMenuFrame(QWidget* parent = nullptr);
  ZYN_VISU_CLASS(TVisuMenuFrame)

  TVNButton *BtnLogin, *BtnAdmin, *BtnConnect, *BtnOption, *BtnStart;
  QPushButton *BtnLogout, *BtnConnectAll, *BtnDisConnectAll, *BtnClose;

  void SetUserManager(IUserManager* manager) override;
  void ConnectAllStm(QObject* sender) override;
  void ConnectStm(QObject* sender, int32_t number) override;
  void DisconnectAllStm(QObject* sender) override;
  void DisconnectStm(QObject* sender, int32_t number) override;
  void SetSTMConnectEvents(TSTMAllEvent connectAll, TSTMAllEvent disconnectAll, TSTMOneEvent connect,
                           TSTMOneEvent disconnect) override;
  // Enables the buttons by the level of the logged-in user (0 to 3; other levels change nothing).
  void SetButtonsByLevel();
  void Loaded() override;
  void LogoutClick();

 protected:
  bool ReadProperty(std::string_view name, const TFilerValue& value) override;
  void WriteProperties(std::vector<TPropertyRecord>& out) const override;

 private:
  IUserManager* fManager = nullptr;
  TSTMAllEvent fConnectAll, fDisconnectAll;
  TSTMOneEvent fConnect, fDisconnect;
};

}  // namespace zyn
