#pragma once
// The small forms of the logic pages: the list of links "Funktionsverbindungen", the progress
// windows "Verbindungen erzeugen" and "Logikprüfung", and "Funktionsbezeichnung ändern".

#include "logic/CenteredDialog.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace zyn {

class TLinkList;
class TVerbindung;

class TFrmFuncVerb : public TCenteredDialog {
  Q_OBJECT
 public:
  explicit TFrmFuncVerb(QWidget* parent = nullptr);
  QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label5 = nullptr,
         *Label6 = nullptr, *Label7 = nullptr;
  TLinkList* LVerbindungen = nullptr;
  QPushButton* BtnClose = nullptr;
  QPushButton* BtnPrint = nullptr;  // hidden and disabled

  // Lists the link (its logic checked for the picture).
  void AddLink(TVerbindung* link);
  // Hides every label but the first.
  void HideCounters();
  // The details of the link, read-only.
  void ShowDetails(TVerbindung* link);
};

class TFrmCreateVerbindungen : public TCenteredDialog {
  Q_OBJECT
 public:
  explicit TFrmCreateVerbindungen(QWidget* parent = nullptr);
  QLabel* Label1 = nullptr;
  QLabel* Label3 = nullptr;
  QProgressBar* PB = nullptr;
};

class TFrmLgPruefung : public TCenteredDialog {
  Q_OBJECT
 public:
  explicit TFrmLgPruefung(QWidget* parent = nullptr);
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QProgressBar* ProgressBar1 = nullptr;
};

class TFrmRename : public TCenteredDialog {
  Q_OBJECT
 public:
  explicit TFrmRename(QWidget* parent = nullptr);
  QLineEdit* Edit1 = nullptr;
  QLineEdit* Edit2 = nullptr;
  QPushButton* BtnOK = nullptr;
  QPushButton* BtnCancel = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace zyn
