#include "frames/FrMerker.h"

#include "frames/PageText.h"
#include "model/base/Cp1252.h"
#include "project/Global.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>
#include <QTreeWidget>

namespace zyn {

namespace {
const TObjectPageTexts kMerkerTexts{"MRK",
                              "Merker %3.3d",
                              256,
                              "Merker (%3.3d/%3.3d)",
                              "Die Merker wurden geändert.",
                              "Soll der Merker \"%s\" wirklich gelöscht werden",
                              false,
                              true};
}  // namespace

TFrMerker::TFrMerker(QWidget* parent)
    : TListPage(
          "FrMerker", kMerkerTexts, &TSteuermodul::Merker, [] { return GMerkerObserver.get(); }, parent) {
  Details->setObjectName(QStringLiteral("GMerkerData"));
  Details->setTitle(PageText("Merkerdaten "));
  GList->setObjectName(QStringLiteral("GMerker"));
  // The flag's notes are its "Bemerkungen".
  if (auto* form = qobject_cast<QFormLayout*>(Details->layout()))
    if (auto* label = qobject_cast<QLabel*>(form->labelForField(MRemarks))) label->setText(PageText("Bemerkungen "));
  ToolButton4 = AddToolButton("ToolButton4", QStyle::SP_FileDialogListView, "Alle freien Merker anlegen", 4);
  connect(ToolButton4, &QToolButton::clicked, this, [this] { FillAll(); });
  UpdatePage();
}

int TFrMerker::FillAll() {
  TSteuermodul* stm = CurrentStm();
  if (!stm) return 0;
  int added = 0;
  WhileUpdating([&] {
    MTV->setUpdatesEnabled(false);
    while (fWorkList.Adressen.FirstFree() >= 0) {
      const int address = fWorkList.Adressen.FirstFree();
      std::string name = FormatNumbers(ModelTranslate("Merker %3.3d"), {address});
      for (int k = 2; NameTaken(name, nullptr); ++k)
        name = FormatNumbers(ModelTranslate("Merker %3.3d"), {address}) + " (" + std::to_string(k) + ")";
      AppendNode(CreateItem(address, name));
      ++added;
    }
    MTV->setUpdatesEnabled(true);
  });
  if (MTV->topLevelItemCount() > 0) {
    MTV->setCurrentItem(MTV->topLevelItem(0));
    ShowObject();
  }
  Changed();
  return added;
}

void TFrMerker::UpdatePage() {
  TObjectPage::UpdatePage();
  if (ToolButton4) ToolButton4->setEnabled(CurrentStm() != nullptr && fWorkList.Adressen.FirstFree() >= 0);
}

}  // namespace zyn
