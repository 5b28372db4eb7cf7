#pragma once
// "Monitor für STM- BUS": every telegram on the bus while the monitor listens, as a live list of
// time, direction, station, decoded command and raw bytes, coloured by the link's error state;
// with a filter and saving as text. The link stays open from "Monitor starten" to
// "Monitor stopen", and the main window stays locked meanwhile.

#include "bus/BusMonitor.h"
#include "bus/ui/ServicePage.h"

#include <memory>
#include <vector>

class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace zyn {

class TFrSTMMonitor : public TServicePage {
  Q_OBJECT
 public:
  explicit TFrSTMMonitor(QWidget* parent = nullptr);
  ~TFrSTMMonitor() override;

  void FrameDeactivate() override;

  QTreeWidget* Memo1 = nullptr;
  QPushButton* BtnStart = nullptr;
  QPushButton* BtnStop = nullptr;
  QPushButton* Button1 = nullptr;
  QPushButton* BtnSave = nullptr;
  QLineEdit* Filter = nullptr;

  void BtnStartClick();
  void BtnStopClick();
  void Eintrgelschen1Click();
  // Writes the shown lines; false after the error box.
  bool SaveTo(const std::string& utf8Path);
  bool Listening() const { return fMonitor.Listening(); }
  // Every line received since the list was emptied (also those the filter hides).
  const std::vector<TMonitorLine>& Lines() const { return fLines; }

  static constexpr size_t kMaxLines = 20000;

 private:
  void TakeTelegrams();
  void AddRow(const TMonitorLine& line);
  void ApplyFilter();

  TBusMonitor fMonitor{ZYNCom};
  std::vector<TMonitorLine> fLines;
  bool fLocked = false;
};

}  // namespace zyn
