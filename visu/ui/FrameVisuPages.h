#pragma once
// The two smaller visualisation pages of the main window: the users of the run time
// ("Visualisierung Laufzeitumgebung erstellen") and the settings of the visualisation
// ("Visualisierungsprojekt bearbeiten").

#include "shell/FrameManager.h"

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QRadioButton;
class QToolButton;

namespace zyn {

class TVisuUserAdminFrame;

class TFrVisuCreateRT : public QWidget, public IFrameMessage {
 public:
  explicit TFrVisuCreateRT(QWidget* parent = nullptr);
  ~TFrVisuCreateRT() override;
  void FrameActivate() override;
  void FrameDeactivate() override;
  int AskApplyChanges() override { return 6; }
  TVisuUserAdminFrame* VUAFrame;
};

class TFrVisuProjekt : public QWidget, public IFrameMessage {
 public:
  explicit TFrVisuProjekt(QWidget* parent = nullptr);
  void FrameActivate() override;
  void FrameDeactivate() override {}
  int AskApplyChanges() override { return 6; }

  QToolButton *BtnAdd, *BtnDelete, *BtnOK;
  QRadioButton *RBMouse, *RBTouch;
  QRadioButton *RB800, *RB1024, *RB1280, *RB1600;
  QCheckBox *CBMenuFrame, *CBAnmeldeFrame, *CBConnectFrame, *CBUserFrame;
  QGroupBox *GBType, *GBSize, *GBPages;
  bool PageModified() const { return fModified; }
  // BtnOK: the choices go into the visualisation's settings.
  void Apply();

 private:
  void Changed();
  bool fModified = false;
  bool fFilling = false;
};

// Registers the designer, the users page and the settings page with the main window, and makes
// the pages of every project from now on design pages.
void RegisterVisuPages();

}  // namespace zyn
