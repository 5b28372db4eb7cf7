#include "logic/FrmVerbDetail.h"

#include "logic/FrmVerknwahl.h"
#include "logic/GlobalFuncs.h"
#include "logic/LogicDialogs.h"
#include "logic/core/LinkBuilder.h"
#include "logic/core/LinkParameters.h"
#include "model/EAFunktionen.h"
#include "model/Gruppe.h"
#include "model/Kanal.h"
#include "model/ModelText.h"
#include "model/Verbindung.h"
#include "platform/QtText.h"
#include "project/Global.h"
#include "project/Projekt.h"
#include "shell/GlobalGui.h"
#include "shell/Translation.h"
#include "widgets/common/WidgetText.h"

#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace zyn {

namespace {

enum { kSource = 0, kTarget = 1, kElse = 2 };

QLineEdit* ObjectEdit(QWidget* parent) {
  auto* e = new QLineEdit(parent);
  e->setEnabled(false);
  return e;
}

QComboBox* FunctionBox(QWidget* parent) {
  auto* c = new QComboBox(parent);
  c->setEditable(false);
  return c;
}

TEABaseFunction* FunctionOf(const QComboBox* box) {
  return static_cast<TEABaseFunction*>(box->currentData().value<void*>());
}

}  // namespace

TFrmVerbDetail::TFrmVerbDetail(QWidget* parent) : TCenteredDialog(parent ? parent : DialogParent()) {
  setObjectName(QStringLiteral("FrmVerbDetail"));
  setWindowTitle(TranslatedText("Verbindungsdetails"));
  setWindowFlags(windowFlags() & ~Qt::WindowCloseButtonHint);
  resize(520, 260);
  auto* layout = new QVBoxLayout(this);
  Notebook1 = new QStackedWidget(this);
  layout->addWidget(Notebook1);

  // A row "label: widget" of a page's grid.
  auto row = [](QGridLayout* g, int r, const char* text, QWidget* w, QWidget* extra = nullptr) {
    QLabel* label = new QLabel(TranslatedText(text));
    g->addWidget(label, r, 0);
    g->addWidget(w, r, 1);
    if (extra) g->addWidget(extra, r, 2);
    return label;
  };
  auto paramEdit = [this](QWidget* parent, const char* name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setMaxLength(7);
    connect(e, &QLineEdit::textEdited, this, [this, e] { ParamEdited(e); });
    connect(e, &QLineEdit::editingFinished, this, [this, e] {
      if (!fUpdating && e->isVisible() && !e->hasFocus()) ValidateParamEdit(e);
    });
    return e;
  };

  auto* page0 = new QWidget(Notebook1);
  auto* g0 = new QGridLayout(page0);
  Edit10 = ObjectEdit(page0);
  ComboBox3 = FunctionBox(page0);
  Edit11 = ObjectEdit(page0);
  ComboBox5 = FunctionBox(page0);
  Edit13 = paramEdit(page0, "Edit13");
  Label15 = new QLabel(TranslatedText("Sekunden"), page0);
  Button1 = new QPushButton(TranslatedText("Parameter ändern"), page0);
  BitBtn2 = new QPushButton(TranslatedText("&Schließen"), page0);
  row(g0, 0, "WENN Eingang", Edit10);
  row(g0, 1, "Eingangsfunktion", ComboBox3);
  row(g0, 2, "DANN Ausgang", Edit11);
  row(g0, 3, "Ausgangsfunktion", ComboBox5);
  Label14 = row(g0, 4, "Parameter", Edit13, Label15);
  g0->addWidget(Button1, 5, 1);
  g0->addWidget(BitBtn2, 6, 2);
  Notebook1->addWidget(page0);

  auto* page1 = new QWidget(Notebook1);
  auto* g1 = new QGridLayout(page1);
  Edit1 = ObjectEdit(page1);
  ComboBox1 = FunctionBox(page1);
  Label7 = new QLabel(TranslatedText("UND Verknüpfung"), page1);
  ComboBox2 = FunctionBox(page1);
  ComboBox2->setContextMenuPolicy(Qt::ActionsContextMenu);
  auto* change = new QAction(TranslatedText("Ändern"), ComboBox2);
  ComboBox2->addAction(change);
  SpeedButton1 = new QToolButton(page1);
  SpeedButton1->setText(TranslatedText("Ändern"));
  Edit3 = ObjectEdit(page1);
  ComboBox4 = FunctionBox(page1);
  Edit5 = paramEdit(page1, "Edit5");
  Label16 = new QLabel(page1);
  Button2 = new QPushButton(TranslatedText("Parameter ändern"), page1);
  Edit6 = ObjectEdit(page1);
  ComboBox6 = FunctionBox(page1);
  Edit8 = paramEdit(page1, "Edit8");
  Label17 = new QLabel(page1);
  Button3 = new QPushButton(TranslatedText("Parameter ändern"), page1);
  BitBtn1 = new QPushButton(TranslatedText("&Schließen"), page1);
  row(g1, 0, "WENN Eingang", Edit1);
  row(g1, 1, "Eingangsfunktion", ComboBox1);
  g1->addWidget(Label7, 2, 0);
  g1->addWidget(ComboBox2, 2, 1);
  g1->addWidget(SpeedButton1, 2, 2);
  row(g1, 3, "DANN Ausgang", Edit3);
  row(g1, 4, "Ausgangsfunktion", ComboBox4);
  Label6 = row(g1, 5, "Parameter", Edit5, Label16);
  g1->addWidget(Button2, 6, 1);
  LabelSonst = row(g1, 7, "SONST Ausgang", Edit6);
  LabelElseFunction = row(g1, 8, "Funktion", ComboBox6);
  Label10 = row(g1, 9, "Parameter", Edit8, Label17);
  g1->addWidget(Button3, 10, 1);
  g1->addWidget(BitBtn1, 11, 2);
  g1->setRowStretch(12, 1);
  Notebook1->addWidget(page1);

  connect(ComboBox3, &QComboBox::currentIndexChanged, this, [this] { FunctionChanged(ComboBox3, kSource); });
  connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this] { FunctionChanged(ComboBox1, kSource); });
  connect(ComboBox5, &QComboBox::currentIndexChanged, this, [this] { FunctionChanged(ComboBox5, kTarget); });
  connect(ComboBox4, &QComboBox::currentIndexChanged, this, [this] { FunctionChanged(ComboBox4, kTarget); });
  connect(ComboBox6, &QComboBox::currentIndexChanged, this, [this] { FunctionChanged(ComboBox6, kElse); });
  for (QPushButton* b : {Button1, Button2}) {
    connect(b, &QPushButton::clicked, this, [this] {
      ChangeLinkParameters(*Link);
      SetModified();
      Fill(false);
    });
  }
  connect(Button3, &QPushButton::clicked, this, [this] {
    ChangeLinkElseParameters(*Link);
    SetModified();
    Fill(false);
  });
  connect(SpeedButton1, &QToolButton::clicked, this, &TFrmVerbDetail::ChangeCondition);
  connect(change, &QAction::triggered, this, &TFrmVerbDetail::ChangeCondition);
  connect(BitBtn1, &QPushButton::clicked, this, &TFrmVerbDetail::CloseClicked);
  connect(BitBtn2, &QPushButton::clicked, this, &TFrmVerbDetail::CloseClicked);
}

int TFrmVerbDetail::Execute() {
  Fill(true);
  RunLogicDialog(*this);
  return 1;
}

void TFrmVerbDetail::ShowPage(int index, int height) {
  Notebook1->setCurrentIndex(index);
  for (int i = 0; i < Notebook1->count(); ++i) {
    const QSizePolicy::Policy p = i == index ? QSizePolicy::Preferred : QSizePolicy::Ignored;
    Notebook1->widget(i)->setSizePolicy(p, p);
  }
  layout()->activate();
  resize(width(), std::max(height, minimumSizeHint().height()));
}

void TFrmVerbDetail::SetModified() {
  if (GProjekt) GProjekt->Modified = true;
}

void TFrmVerbDetail::Fill(bool reload) {
  if (Link == nullptr) return;
  fUpdating = true;
  TVerbindung& l = *Link;
  const bool plain = l.Kind() != 1 && l.Kind() != 2;
  if (plain) {
    ShowPage(0, 260);
    Edit10->setText(ToQString(l.GetSourceChannelText()));
    Edit11->setText(ToQString(l.GetTargetChannelText()));
    FillFunctions(ComboBox3, kSource, reload);
    FillFunctions(ComboBox5, kTarget, reload);
    ShowParam(false, Button1, Edit13, Label15, Label14, TargetEditable);
  } else {
    Edit1->setText(ToQString(l.GetSourceChannelText()));
    Edit3->setText(ToQString(l.GetTargetChannelText()));
    FillFunctions(ComboBox1, kSource, reload);
    FillFunctions(ComboBox4, kTarget, reload);
    ComboBox2->clear();
    for (int i = 0; i < kLogicEntryCount; ++i) {
      const std::string text = l.GetLogicEntryText(i);
      if (!text.empty()) ComboBox2->addItem(ToQString(text));
    }
    if (ComboBox2->count() > 0) ComboBox2->setCurrentIndex(0);
    Label7->setText(TranslatedText(l.LogicOr() == 1 ? "ODER Verknüpfung" : "UND Verknüpfung"));
    const bool withElse = l.Kind() == 2;
    for (QWidget* w : std::initializer_list<QWidget*>{LabelSonst, Edit6, LabelElseFunction, ComboBox6})
      w->setVisible(withElse);
    if (withElse) {
      Edit6->setText(ToQString(l.GetElseChannelText()));
      FillFunctions(ComboBox6, kElse, reload);
    }
    ShowParam(false, Button2, Edit5, Label16, Label6, TargetEditable);
    if (withElse) {
      ShowParam(true, Button3, Edit8, Label17, Label10, ElseEditable);
    } else {
      for (QWidget* w : std::initializer_list<QWidget*>{Button3, Edit8, Label17, Label10}) w->setVisible(false);
      Edit8->clear();
    }
    ShowPage(1, withElse ? 395 : 305);
    SpeedButton1->setEnabled(ConditionsChangeable);
  }
  ComboBox3->setEnabled(SourceEditable);
  ComboBox1->setEnabled(SourceEditable);
  ComboBox5->setEnabled(TargetEditable);
  ComboBox4->setEnabled(TargetEditable);
  ComboBox6->setEnabled(ElseEditable);
  fUpdating = false;
}

void TFrmVerbDetail::FillFunctions(QComboBox* box, int side, bool reload) {
  TVerbindung& l = *Link;
  const std::string stored = side == kSource   ? l.GetSourceFunctionText()
                             : side == kTarget ? l.GetTargetFunctionText()
                                               : l.GetElseFunctionText();
  const bool editable = side == kSource ? SourceEditable : side == kTarget ? TargetEditable : ElseEditable;
  if (reload) {
    box->clear();
    TEAFunctionList* list = nullptr;
    if (editable && GProjekt) {
      const TLinkEndpoint e = side == kSource ? l.Source() : side == kTarget ? l.Target() : l.ElseTarget();
      TZYNBaseObject* object =
          side == kSource ? FindSourceObject(GProjekt->Steuermodule, e) : FindTargetObject(GProjekt->Steuermodule, e);
      if (object) {
        list = FindCommandList(side == kSource ? InputCommandListName(*object)
                                               : OutputCommandListName(*object, *GProjekt));
      }
    }
    if (!editable) {
      box->addItem(ToQString(stored));
    } else if (list) {
      for (int i = 0; i < list->Count(); ++i) {
        TEABaseFunction* f = list->GetFunction(i);
        box->addItem(ToQString(f->DisplayName), QVariant::fromValue(static_cast<void*>(f)));
      }
    }
  }
  box->setCurrentIndex(box->findText(ToQString(stored)));
}

void TFrmVerbDetail::FunctionChanged(QComboBox* box, int side) {
  if (fUpdating || Link == nullptr || box->count() == 0) return;
  if (box->currentIndex() < 0) {
    box->setCurrentIndex(0);
    return;
  }
  TEABaseFunction* f = FunctionOf(box);
  if (f == nullptr) return;
  TVerbindung& l = *Link;
  TLinkEndpoint e = side == kSource ? l.Source() : side == kTarget ? l.Target() : l.ElseTarget();
  const int type = e.ObjType();
  const bool allowed = side == kSource ? (type < 8 || type == kObjMerker || type == kObjUhr)
                                       : (type < 8 || type == kObjMerker || type == kObjAnzeigetext ||
                                          (side == kTarget && type == kObjGruppe));
  if (!allowed) return;
  TVerbindung before(false);  // a cancelled parameter keeps the function and parameter as they were
  before.CopyRecordFrom(l);
  e.SetFunctionNumber(f->Command & 0xFF);
  e.SetFunctionText(FromQString(box->currentText()));
  e.SetFunctionName(f->InternalName);
  if (side != kSource && GProjekt) {
    TZYNBaseObject* object = FindTargetObject(GProjekt->Steuermodule, e);
    const TLinkSide linkSide = side == kTarget ? lsThen : lsElse;
    bool taken = true;
    if (type < 8) {
      if (auto* channel = dynamic_cast<TKanal*>(object)) taken = EditLinkParameters(*channel, l, linkSide);
    } else if (type == kObjGruppe) {
      if (object) taken = EditLinkParametersByList(OutputCommandListName(*object, *GProjekt), l, linkSide);
    }
    if (!taken) {
      l.CopyRecordFrom(before);
      Fill(false);
      return;
    }
  }
  SetModified();
  Fill(false);
}

void TFrmVerbDetail::ShowParam(bool elseSide, QPushButton* button, QLineEdit* edit, QLabel* unit, QLabel* caption,
                               bool editable) {
  TVerbindung& l = *Link;
  const bool has = elseSide ? l.HasElseParam() : l.HasTargetParam();
  const int kind = elseSide ? l.ElseParamMode() : l.TargetParamMode();
  if (!has) {
    for (QWidget* w : std::initializer_list<QWidget*>{button, edit, unit, caption}) w->setVisible(false);
    edit->clear();
  } else if (ChangeableByForm(kind)) {
    button->setVisible(true);
    for (QWidget* w : std::initializer_list<QWidget*>{edit, unit, caption}) w->setVisible(false);
  } else {
    button->setVisible(false);
    for (QWidget* w : std::initializer_list<QWidget*>{edit, unit, caption}) w->setVisible(true);
    edit->setText(ToQString(elseSide ? l.GetElseParamText() : l.GetTargetParamText()));
    QString text = ToQString(elseSide ? l.GetElseParamCaption() : l.GetTargetParamCaption());
    const int bar = text.indexOf(QLatin1Char('|'));
    if (bar >= 0) text[bar] = QLatin1Char(';');
    unit->setText(text);
  }
  button->setEnabled(editable);
  edit->setEnabled(editable);
}

void TFrmVerbDetail::ParamEdited(QLineEdit* edit) {
  if (fUpdating || Link == nullptr) return;
  SetModified();
  StoreParamText(*Link, edit == Edit8, FromQString(edit->text()));
}

bool TFrmVerbDetail::ValidateParamEdit(QLineEdit* edit) {
  if (Link == nullptr || edit == nullptr || !edit->isVisible() || !edit->isEnabled()) return true;
  const bool elseSide = edit == Edit8;
  const std::string caption = elseSide ? Link->ElseParamCaption() : Link->TargetParamCaption();
  const int expected = caption.find('|') != std::string::npos ? 2 : 1;
  const std::string problem = CheckParamText(FromQString(edit->text()), expected, elseSide);
  if (problem.empty()) return true;
  TranslatedMessageDlg(problem, mtWarning, mbOK);
  edit->setFocus();
  return false;
}

void TFrmVerbDetail::CloseClicked() {
  for (QLineEdit* e : {Edit13, Edit5, Edit8})
    if (!ValidateParamEdit(e)) return;
  done(QDialog::Accepted);
}

void TFrmVerbDetail::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    event->accept();
    QWidget* focus = focusWidget();
    if (focus == Edit13 || focus == Edit5 || focus == Edit8) {
      if (!ValidateParamEdit(static_cast<QLineEdit*>(focus))) return;
    }
    CloseClicked();
    return;
  }
  if (event->key() == Qt::Key_Escape) {
    event->accept();  // closing is only possible with "Schließen"
    return;
  }
  QDialog::keyPressEvent(event);
}

void TFrmVerbDetail::ChangeCondition() {
  if (Link == nullptr || !GProjekt) return;
  TFrmVerknwahl builder(this);
  builder.Stm = FindStmByAddress(GProjekt->Steuermodule, Link->Target().StmNummer());
  builder.Link = Link;
  builder.ConvertAllowed = true;
  if (builder.Stm == nullptr) {
    TranslatedMessageDlg(ModelTranslate("Das Steuermodul des Ziels dieser Verbindung gibt es nicht mehr."), mtError,
                         mbOK);
    return;
  }
  if (builder.Execute() != 2) SetModified();
  Fill(true);
}

}  // namespace zyn
