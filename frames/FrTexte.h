#pragma once
// The display-text page "Anzeigetexte bearbeiten": texts of two lines of 16 characters for the
// control module's display, each line with its alignment, previewed as the display shows them.

#include "frames/ListPage.h"

#include <array>

class QComboBox;

namespace zyn {

class TMKEdit;
class TSTMDisplay;

// The line as the display shows it: 0 left, 1 right, 2 centred in 16 characters.
std::string DisplayLinePreview(const std::string& text, int alignment);

class TFrTexte : public TListPage<TTextListe, TAnzeigetext> {
  Q_OBJECT
 public:
  explicit TFrTexte(QWidget* parent = nullptr);

  TMKEdit* EZ1 = nullptr;
  TMKEdit* EZ2 = nullptr;
  QComboBox* CBZ1 = nullptr;
  QComboBox* CBZ2 = nullptr;
  TSTMDisplay* SD = nullptr;

 protected:
  void ShowDetails(TZYNBaseObject* object) override;
  void ClearDetails() override;

 private:
  void LineEdited(int line);
  void AlignmentChanged(int line);
  void Preview(int line);
};

}  // namespace zyn
