#pragma once
// The options page "FrOptionen" (the first item of every option group) and the company-data page
// "FrBasisDaten" (the installer's own company data printed with the documentation). Both write
// the options file next to the programme.

#include "frames/ProjectPage.h"

#include <array>
#include <utility>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTabWidget;
class QToolButton;

namespace zyn {

class TBusDeviceBox;
class TZCLBrowseDlg;
class TZCLDockSpeedButton;
class TZCLSpinEdit;

// The display preview: the background of the scheme and contrast, with the positioning grid.
class TDisplayPreview : public QWidget {
  Q_OBJECT
 public:
  explicit TDisplayPreview(QWidget* parent = nullptr);
  int Scheme = 0;    // 0 "weißblau/schwarz", 1 "grüngrau/schwarz"
  int Contrast = 0;  // 0 normal, 1 stark
  bool Raster = false;
  static QColor Background(int scheme, int contrast);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

class TFrOptionen : public TProjectPage {
  Q_OBJECT
 public:
  explicit TFrOptionen(QWidget* parent = nullptr);
  ~TFrOptionen() override;
  void FrameActivate() override;
  void FrameDeactivate() override;

  QTabWidget* PageControl1 = nullptr;
  QToolButton* ToolButton4 = nullptr;  // OK
  QToolButton* ToolButton5 = nullptr;  // Cancel
  QCheckBox *HTA = nullptr, *SAL = nullptr, *FSU = nullptr, *IPS = nullptr, *ADE = nullptr, *KDE = nullptr,
            *GFX = nullptr, *AutoLogic = nullptr, *STEPOR = nullptr, *Thumbs = nullptr, *AUZ = nullptr, *VZA = nullptr,
            *FZE = nullptr, *PAL = nullptr, *SFA = nullptr, *CBRaster = nullptr, *CBFTP = nullptr;
  QLabel* UPD = nullptr;
  TZCLSpinEdit *ADM = nullptr, *ZFMin = nullptr, *ZFMax = nullptr, *AWA = nullptr, *MTA = nullptr, *MTP = nullptr;
  QLineEdit *PPE = nullptr, *DPE = nullptr, *BPE = nullptr, *IPE = nullptr, *LPE = nullptr, *LPG = nullptr;
  std::array<TZCLDockSpeedButton*, 6> BrowseButtons{};
  QButtonGroup *GBSource = nullptr, *GBTarget = nullptr, *RGColor = nullptr, *RGKon = nullptr;
  TBusDeviceBox* DeviceBox = nullptr;  // "Schnittstelle": the device path of the bus
  QLineEdit *EdEinText = nullptr, *EdAusText = nullptr, *EdNext = nullptr, *EdPrev = nullptr;
  QLineEdit *WWWE = nullptr, *FTPE = nullptr, *EMailServer = nullptr;
  QLineEdit* SupportAddress = nullptr;  // "Support-Adresse"
  QLineEdit *FTPProxy = nullptr, *WWWProxy = nullptr;
  TZCLSpinEdit* FTPPort = nullptr;
  QGroupBox* ProxyGroup = nullptr;
  TDisplayPreview* PBPreview = nullptr;
  std::unique_ptr<TZCLBrowseDlg> BDLG;

  bool Changed() const { return fChanged; }
  void LoadOptions();
  // Writes every control into the options and saves the file; false (message shown) on failure.
  bool SaveOptions();
  void OKClick();
  void CancelClick();
  void BrowseClick(int tag);

 private:
  // The folder edits with the path option each one shows.
  std::array<std::pair<QLineEdit*, int>, 6> FolderEdits() const;
  void ControlChanged();
  void MinChanged();
  bool fLoading = false;
  bool fChanged = false;
};

class TFrBasisDaten : public TProjectPage {
  Q_OBJECT
 public:
  explicit TFrBasisDaten(QWidget* parent = nullptr);
  void FrameActivate() override;
  void FrameDeactivate() override;

  QLineEdit *B1 = nullptr, *B2 = nullptr, *B3 = nullptr, *B4 = nullptr, *B5 = nullptr, *B6 = nullptr, *B7 = nullptr,
            *B9 = nullptr;
  QPlainTextEdit* B10 = nullptr;
  QToolButton* BtnOK = nullptr;
  // Writes the fields and saves the options file; false (message shown) on failure.
  bool OKClick();

 private:
  bool fLoading = false;
};

// Saves the options file of the running programme; false with the message shown on failure.
bool SaveOptionFile();

}  // namespace zyn
