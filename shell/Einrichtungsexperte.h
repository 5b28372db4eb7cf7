#pragma once
// The set-up wizard "ZYN Einrichtungsassistent": company data, serial link and general
// preferences. Finishing writes them into the options, marks the wizard as done (ConfigAssist)
// and saves the options file; cancelling changes nothing.

#include <QWizard>

#include <string>

class QButtonGroup;
class QCheckBox;
class QLabel;

namespace zyn {

class TZCLEdit;
class TZCLSpinEdit;

class TFormEinrichtungsexperte : public QWizard {
  Q_OBJECT
 public:
  // optionFileName: the native file the options are saved to on finishing; empty means the options
  // file of the running programme.
  explicit TFormEinrichtungsexperte(QWidget* parent = nullptr, std::string optionFileName = {});

  // Page ids in order.
  enum { KW, KWizardInteriorPage1, KWizardInteriorPage2, KWizardInteriorPage3 };

  QLabel* SidePicture = nullptr;
  TZCLEdit *B1, *B2, *B3, *B4, *B5, *B6, *B7, *B9;
  TZCLEdit* EDevice = nullptr;  // the serial device path
  QButtonGroup *GBSource, *GBTarget;
  TZCLSpinEdit *AWA, *MTA, *MTP, *ADM;
  QCheckBox *HTA, *STA, *SAL, *FSU, *ADE, *KDE, *GFX, *AUZ, *VZA, *FZE;

  // The controls take the values of GOptionFile.
  void LoadFromOptions();
  // Stores the controls into GOptionFile, sets ConfigAssist and saves the options file; false when
  // the file could not be written (the options then hold the values for this run only).
  bool StoreToOptions();
  // The German help text of a page ("Hilfe").
  static QString HelpText(int pageId);

 protected:
  void showEvent(QShowEvent* event) override;
  void accept() override;

 private:
  void PageChanged(int id);
  void ShowHelp();

  std::string fOptionFileName;
};

// Shows the wizard at the main window's activation while the options record that it was never
// completed, at most once per programme run (a cancelled wizard does not come back at every
// activation; the command "Konfigurationsassistent" opens it on demand).
class TSetupWizardGate {
 public:
  explicit TSetupWizardGate(std::string optionFileName = {}) : fOptionFileName(std::move(optionFileName)) {}
  // Returns whether the wizard was shown.
  bool Activated(QWidget* mainWindow);

 private:
  std::string fOptionFileName;
  bool fShown = false;
};

}  // namespace zyn
