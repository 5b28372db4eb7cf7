#pragma once
// The customer page "FrKunden" and the project page "FrProjekte" over the tables "Kunden.dbf"
// and "Projekte.dbf" of the database folder. Both hold their tables open only while shown.

#include "frames/ProjectPage.h"

#include <memory>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QTabWidget;

namespace zyn {

class TDbfNavigator;
class TDbfTable;

class TFrKunden : public TProjectPage {
  Q_OBJECT
 public:
  explicit TFrKunden(QWidget* parent = nullptr);
  ~TFrKunden() override;
  void FrameActivate() override;
  void FrameDeactivate() override;

  QTabWidget* PageControl1 = nullptr;
  QLineEdit* ENummer = nullptr;
  QLineEdit* Datum = nullptr;
  QLineEdit* EVorname = nullptr;  // NAME
  QLineEdit* EName = nullptr;     // FIRMA
  QLineEdit* EStrasse = nullptr;
  QLineEdit* EPLZ = nullptr;
  QLineEdit* EOrt = nullptr;
  QLineEdit* ETelefon = nullptr;
  QLineEdit* EFax = nullptr;
  QLineEdit* EEmail = nullptr;
  QLineEdit* EHomepage = nullptr;
  QPlainTextEdit* MKontakt1 = nullptr;
  QPlainTextEdit* MKontakt2 = nullptr;
  QPlainTextEdit* MKontakt3 = nullptr;
  TDbfNavigator* DBNavigator1 = nullptr;

 private:
  std::unique_ptr<TDbfTable> fKunden;
};

class TFrProjekte : public TProjectPage {
  Q_OBJECT
 public:
  explicit TFrProjekte(QWidget* parent = nullptr);
  ~TFrProjekte() override;
  void FrameActivate() override;
  void FrameDeactivate() override;

  QLineEdit* PN = nullptr;
  QComboBox* DBLC = nullptr;
  QLineEdit* EProjektname = nullptr;
  QLineEdit* EPlanung = nullptr;
  QLineEdit* EAusfuehrung = nullptr;
  QLineEdit* ETermin = nullptr;
  QPlainTextEdit* MBeschreibung = nullptr;
  TDbfNavigator* DBNavigator1 = nullptr;

 private:
  void ShowCustomer();
  void CopyIntoProject(const struct TDbfRecord& posted);
  std::unique_ptr<TDbfTable> fKunden;
  std::unique_ptr<TDbfTable> fProjekte;
};

}  // namespace zyn
