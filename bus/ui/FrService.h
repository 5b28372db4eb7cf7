#pragma once
// "Servicefunktionen": the host of the input test and the output test. Its tool bar chooses the
// test; each test lists the modules of a control module that have inputs or outputs, probes
// them, and then polls the inputs of one module or switches its outputs.

#include "bus/ChannelTest.h"
#include "bus/ModuleScan.h"
#include "bus/ui/ServicePage.h"

#include <string>

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QToolBar;
class QToolButton;

namespace zyn {

class TFourthHintPanel;
class TFrameManager;
class TFrService;
class TModul;

// What both tests share: the module list with its scan, progress and hint.
class TOldServiceTest : public TServicePage {
  Q_OBJECT
 public:
  TOldServiceTest(const char* name, TChannelKind kind, QWidget* parent);

  void FrameActivate() override;

  QListWidget* ListBox1 = nullptr;  // modules
  QListWidget* ListBox2 = nullptr;  // outputs or the input log
  QLabel* Label3 = nullptr;         // progress text
  QProgressBar* PB = nullptr;
  TFourthHintPanel* Label5 = nullptr;
  QPushButton* Button2 = nullptr;
  TFrService* Host = nullptr;

  void ScanModules();
  TModul* SelectedModule() const;
  virtual void ListBox1Click() = 0;

 protected:
  void StmChanged(TSteuermodul* stm) override;
  // Buttons that are disabled while the scan runs.
  virtual void EnableButtons(bool on);
  void SetHostEnabled(bool on);
  QHBoxLayout* Buttons() const { return fButtons; }

 private:
  TChannelKind fKind;
  bool fActivating = false;
  QHBoxLayout* fButtons = nullptr;
};

class TFrOldServiceAusgang : public TOldServiceTest {
  Q_OBJECT
 public:
  explicit TFrOldServiceAusgang(QWidget* parent = nullptr);

  void FrameActivate() override;
  void FrameDeactivate() override;

  void ListBox1Click() override;
  void ListBox2Click();
  void Button2Click();
  void RefreshOutputStates(bool request);
  void UpdateSwitchCaption();
  bool Lower() const { return fLower; }

 private:
  void ShowStates();
  TModul* fModul = nullptr;
  bool fLower = false;
};

class TFrOldServiceEingang : public TOldServiceTest {
  Q_OBJECT
 public:
  explicit TFrOldServiceEingang(QWidget* parent = nullptr);

  void FrameDeactivate() override;

  QPushButton* Button3 = nullptr;

  void ListBox1Click() override;
  void Button2Click();
  void Button3Click() { fStop = true; }
  bool Running() const { return fRunning; }
  const TInputLog& Log() const { return fLog; }

 protected:
  void EnableButtons(bool on) override;

 private:
  void ShowLog(bool cleared, int added);
  TModul* fModul = nullptr;
  TInputLog fLog;
  bool fRunning = false;
  bool fStop = false;
};

class TFrService : public QWidget, public IFrameMessage {
  Q_OBJECT
 public:
  explicit TFrService(QWidget* parent = nullptr);

  void FrameActivate() override;
  void FrameDeactivate() override;
  int AskApplyChanges() override { return 6; }

  QToolBar* TB = nullptr;
  QToolButton* AbBtn = nullptr;
  QToolButton* AnBtn = nullptr;
  QCheckBox* FStyle = nullptr;
  TFrameManager* FM = nullptr;
  TFrOldServiceEingang* Eingang = nullptr;
  TFrOldServiceAusgang* Ausgang = nullptr;

  void AbBtnClick();
  void AnBtnClick();
  void Refresh() {}
};

}  // namespace zyn
