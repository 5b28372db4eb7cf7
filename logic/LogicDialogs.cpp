#include "logic/LogicDialogs.h"

#include "model/EAFunktionen.h"
#include "platform/AppHint.h"
#include "platform/QtText.h"
#include "shell/GlobalGui.h"
#include "shell/Translation.h"
#include "widgets/common/WidgetText.h"
#include "widgets/controls/ZCLSpinEdit.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace zyn {

namespace {

TDialogHook& Hook() {
  static TDialogHook hook;
  return hook;
}

QWidget* MainWindow() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == QLatin1String("FormMain")) return w;
  return nullptr;
}

const char* const kPriorityHint =
    "Standardverwendung der Prioritäten:\n0 = Wartungsschalter\n1 = Windsensoren, Lokalbedienung\n2 = Regensensor\n"
    "3 = Dämmerungssensor, Uhren und Zentralbedienung\n4 = Sonnensensor\n5 = nicht vergeben";

}  // namespace

TDialogHook SetLogicDialogHook(TDialogHook hook) {
  TDialogHook old = std::move(Hook());
  Hook() = std::move(hook);
  return old;
}

int RunLogicDialog(QDialog& dialog) {
  if (Hook()) return Hook()(dialog);
  return dialog.exec() == QDialog::Accepted ? 1 : 2;
}

// --- command chooser ---

TFrmGetFunction::TFrmGetFunction(QWidget* parent) : QDialog(parent ? parent : MainWindow()) {
  setObjectName(QStringLiteral("FrmGetFunction"));
  setWindowTitle(TranslatedText("Ausgangsfunktion wählen"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(TranslatedText("Bitte wählen Sie die zu verwendende Ausgangsfunktion"), this));
  FC = new QListWidget(this);
  FC->setObjectName(QStringLiteral("FC"));
  layout->addWidget(FC);
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  OB = new QPushButton(TranslatedText("OK"), this);
  OB->setObjectName(QStringLiteral("OB"));
  OB->setDefault(true);
  BtnCancel = new QPushButton(TranslatedText("Abbruch"), this);
  BtnCancel->setObjectName(QStringLiteral("BtnCancel"));
  BtnCancel->setVisible(false);
  row->addWidget(OB);
  row->addWidget(BtnCancel);
  layout->addLayout(row);
  resize(360, 320);
  auto take = [this] {
    if (QListWidgetItem* item = FC->currentItem())
      Chosen = static_cast<TEABaseFunction*>(item->data(Qt::UserRole).value<void*>());
  };
  connect(FC, &QListWidget::itemClicked, this, take);
  connect(FC, &QListWidget::itemDoubleClicked, this, [this, take] {
    take();
    accept();
  });
  connect(OB, &QPushButton::clicked, this, [this, take] {
    take();
    accept();
  });
  connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TFrmGetFunction::Fill() {
  FC->clear();
  if (!List) return;
  int selected = -1;
  for (int i = 0; i < List->Count(); ++i) {
    TEABaseFunction* f = List->GetFunction(i);
    auto* item = new QListWidgetItem(ToQString(f->DisplayName), FC);
    item->setData(Qt::UserRole, QVariant::fromValue(static_cast<void*>(f)));
    if (f == Chosen) selected = i;
  }
  if (selected < 0 && FC->count() > 0) {
    selected = 0;
    Chosen = List->GetFunction(0);
  }
  if (selected >= 0) FC->setCurrentRow(selected);
}

void TFrmGetFunction::showEvent(QShowEvent* event) {
  if (parentWidget()) CenterFormOnControl(this, parentWidget());
  Fill();
  QDialog::showEvent(event);
}

// --- text input ---

TFrmInput::TFrmInput(QWidget* parent) : QDialog(parent ? parent : MainWindow()) {
  setObjectName(QStringLiteral("FrmInput"));
  auto* layout = new QVBoxLayout(this);
  Label1 = new QLabel(this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setWordWrap(true);
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  layout->addWidget(Label1);
  layout->addWidget(Edit1);
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  BtnOK = new QPushButton(TranslatedText("OK"), this);
  BtnOK->setObjectName(QStringLiteral("BtnOK"));
  BtnOK->setEnabled(false);
  BtnCancel = new QPushButton(TranslatedText("Abbrechen"), this);
  BtnCancel->setObjectName(QStringLiteral("BtnCancel"));
  row->addWidget(BtnOK);
  row->addWidget(BtnCancel);
  layout->addLayout(row);
  connect(Edit1, &QLineEdit::textChanged, this,
          [this](const QString& t) { BtnOK->setEnabled(!t.trimmed().isEmpty()); });
  connect(BtnOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
  Edit1->installEventFilter(this);
  resize(340, 120);
}

bool TFrmInput::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Edit1 && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      if (!Edit1->text().trimmed().isEmpty()) accept();
      return true;  // swallowed in any case
    }
  }
  return QDialog::eventFilter(watched, event);
}

// --- parameter form ---

TFrmParameter::TFrmParameter(QWidget* parent) : QDialog(parent ? parent : MainWindow()) {
  setObjectName(QStringLiteral("FrmParameter"));
  setWindowTitle(TranslatedText("Parameter für Ausgangsbefehl"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  auto* layout = new QVBoxLayout(this);
  Notebook1 = new QStackedWidget(this);
  Notebook1->setObjectName(QStringLiteral("Notebook1"));
  layout->addWidget(Notebook1);
  BuildPages();
  Load(TParameterForm());
  if (parentWidget()) CenterFormOnControl(this, parentWidget());
}

TFrmParameter::~TFrmParameter() = default;

void TFrmParameter::BuildPages() {
  auto label = [](QWidget* page, const QString& text, const char* name = nullptr) {
    auto* l = new QLabel(text, page);
    l->setWordWrap(true);
    if (name) l->setObjectName(QString::fromLatin1(name));
    return l;
  };
  auto spin = [this](QWidget* page, int index) {
    auto* s = new TZCLSpinEdit(page);
    s->setObjectName(QStringLiteral("SpinEdit%1").arg(index));
    s->setMinimumWidth(90);
    s->installEventFilter(this);
    SpinEdit[static_cast<size_t>(index)] = s;
    return s;
  };
  auto radio = [this](QWidget* page, int index, const char* caption) {
    auto* box = new QGroupBox(TranslatedText(caption), page);
    box->setObjectName(QStringLiteral("RadioGroup%1").arg(index));
    box->setToolTip(TranslatedText(kPriorityHint));
    auto* row = new QHBoxLayout(box);
    auto* group = new QButtonGroup(box);
    for (int i = 0; i <= 5; ++i) {
      auto* b = new QRadioButton(QString::number(i), box);
      group->addButton(b, i);
      row->addWidget(b);
    }
    RadioGroup[static_cast<size_t>(index)] = group;
    return box;
  };
  auto check = [this](QWidget* page, int index, const char* caption) {
    auto* c = new QCheckBox(TranslatedText(caption), page);
    c->setObjectName(QStringLiteral("CheckBox%1").arg(index));
    CheckBox[static_cast<size_t>(index)] = c;
    return c;
  };
  auto ok = [this](QWidget* page, int index, QGridLayout* grid, int row) {
    auto* b = new QPushButton(TranslatedText("OK"), page);
    b->setObjectName(QStringLiteral("OK%1").arg(index));
    connect(b, &QPushButton::clicked, this, &TFrmParameter::TryAccept);
    auto* c = new QPushButton(TranslatedText("Abbrechen"), page);
    c->setObjectName(QStringLiteral("Cancel%1").arg(index));
    connect(c, &QPushButton::clicked, this, &QDialog::reject);
    auto* row2 = new QHBoxLayout;
    row2->addStretch(1);
    row2->addWidget(b);
    row2->addWidget(c);
    grid->addLayout(row2, row, 0, 1, 3);
    fOK[static_cast<size_t>(index)] = b;
    fCancel[static_cast<size_t>(index)] = c;
  };
  const QString pageTwoText =
      TranslatedText("Bitte geben Sie die Priorität, die  Prioritätssperre und die Laufzeit dieses Befehls ein.");
  for (int p = 0; p <= 8; ++p) {
    auto* page = new QWidget(Notebook1);
    auto* g = new QGridLayout(page);
    int r = 0;
    switch (p) {
      case 0:
        Label1 = label(page, {}, "Label1");
        g->addWidget(Label1, r++, 0, 1, 3);
        Label2 = label(page, {}, "Label2");
        g->addWidget(Label2, r++, 0, 1, 3);
        g->addWidget(spin(page, 1), r, 0);
        Label3 = label(page, {}, "Label3");
        g->addWidget(Label3, r++, 1);
        break;
      case 1:
        Label4 = label(page, {}, "Label4");
        g->addWidget(Label4, r++, 0, 1, 3);
        g->addWidget(label(page, TranslatedText("Dimmwert")), r, 0);
        g->addWidget(spin(page, 2), r, 1);
        Label5 = label(page, {}, "Label5");
        g->addWidget(Label5, r++, 2);
        g->addWidget(label(page, TranslatedText("Verstellzeit")), r, 0);
        g->addWidget(spin(page, 3), r, 1);
        g->addWidget(label(page, TranslatedText("Sekunden")), r++, 2);
        break;
      case 2:
        g->addWidget(label(page, pageTwoText), r++, 0, 1, 3);
        g->addWidget(radio(page, 1, "Priorität "), r++, 0, 1, 3);
        g->addWidget(label(page, TranslatedText("Laufzeit:")), r, 0);
        g->addWidget(spin(page, 4), r, 1);
        Label10 = label(page, {}, "Label10");
        g->addWidget(Label10, r++, 2);
        g->addWidget(check(page, 1, "Priorität während der Laufzeit setzen"), r++, 0, 1, 3);
        break;
      case 3:
        Label11 = label(page, {}, "Label11");
        g->addWidget(Label11, r++, 0, 1, 3);
        g->addWidget(radio(page, 2, " Priorität "), r++, 0, 1, 3);
        break;
      case 4:
      case 5: {
        const int group = p == 4 ? 3 : 4;
        g->addWidget(label(page, pageTwoText), r++, 0, 1, 3);
        g->addWidget(radio(page, group, "Priorität "), r++, 0, 1, 3);
        g->addWidget(check(page, p == 4 ? 2 : 3, "Priorität setzen"), r++, 0, 1, 3);
        g->addWidget(label(page, TranslatedText("Versatzzeit:")), r, 0);
        g->addWidget(spin(page, p == 4 ? 5 : 7), r, 1);
        g->addWidget(label(page, TranslatedText("Sek.")), r++, 2);
        g->addWidget(label(page, TranslatedText("Laufzeit:")), r, 0);
        g->addWidget(spin(page, p == 4 ? 6 : 8), r, 1);
        g->addWidget(label(page, TranslatedText("Sek.")), r++, 2);
        if (p == 5) {
          g->addWidget(label(page, TranslatedText("Tippzeit:")), r, 0);
          g->addWidget(spin(page, 9), r, 1);
          g->addWidget(label(page, TranslatedText("/10 Sek.")), r++, 2);
        }
        break;
      }
      case 6: {
        Label24 = label(page, {}, "Label24");
        g->addWidget(Label24, r++, 0, 1, 3);
        auto* box = new QGroupBox(TranslatedText(" Prioritäten "), page);
        box->setToolTip(TranslatedText(kPriorityHint));
        auto* row = new QHBoxLayout(box);
        for (int i = 0; i <= 5; ++i) {
          LevelBox[static_cast<size_t>(i)] = new QCheckBox(QString::number(i), box);
          LevelBox[static_cast<size_t>(i)]->setObjectName(QStringLiteral("CheckBox%1").arg(i + 4));
          row->addWidget(LevelBox[static_cast<size_t>(i)]);
        }
        g->addWidget(box, r++, 0, 1, 3);
        break;
      }
      case 7:
        g->addWidget(label(page, TranslatedText("Bitte geben Sie hier die Verzögerung bis zum Einschalten und die "
                                                "Einschaltdauer des Ausgangs ein.")),
                     r++, 0, 1, 3);
        g->addWidget(label(page, TranslatedText("Verzögerung bis zum Einschalten:")), r, 0);
        g->addWidget(spin(page, 10), r, 1);
        g->addWidget(label(page, TranslatedText("Minuten")), r++, 2);
        g->addWidget(label(page, TranslatedText("Verzögerung bis zum Ausschalten:")), r, 0);
        g->addWidget(spin(page, 11), r, 1);
        g->addWidget(label(page, TranslatedText("Minuten")), r++, 2);
        break;
      case 8:
        g->addWidget(label(page, TranslatedText("Bitte geben Sie die Verzögerungszeit, den Dimmwinkel") + "\n" +
                                     TranslatedText("und die Dimmzeit ein:")),
                     r++, 0, 1, 3);
        g->addWidget(label(page, TranslatedText("Verzögerungszeit:")), r, 0);
        g->addWidget(spin(page, 12), r, 1);
        g->addWidget(label(page, TranslatedText("Sekunden")), r++, 2);
        g->addWidget(label(page, TranslatedText("Dimmwinkel:")), r, 0);
        g->addWidget(spin(page, 13), r++, 1);
        g->addWidget(label(page, TranslatedText("Dimmzeit:")), r, 0);
        g->addWidget(spin(page, 14), r, 1);
        g->addWidget(label(page, TranslatedText("Sekunden")), r++, 2);
        break;
    }
    ok(page, p, g, r);
    Notebook1->addWidget(page);
  }
  SpinEdit[1]->SetMaxLength(5);
  SpinEdit[2]->SetMaxLength(3);
  SpinEdit[3]->SetMaxLength(3);
  fOK[0]->setDefault(true);
  fOK[1]->setDefault(true);
}

void TFrmParameter::Load(const TParameterForm& form) {
  fForm = form;
  Notebook1->setCurrentIndex(std::clamp(form.Page, 0, 8));
  Label1->setText(ToQString(form.Label1));
  Label2->setText(ToQString(form.Label2));
  Label3->setText(ToQString(form.Label3));
  Label4->setText(ToQString(form.Label4));
  Label5->setText(ToQString(form.Label5));
  Label10->setText(ToQString(form.Label10));
  Label11->setText(ToQString(form.Label11));
  Label24->setText(ToQString(form.Label24));
  for (int i = 1; i <= 14; ++i) {
    const TParamSpin& s = form.Spin[static_cast<size_t>(i)];
    TZCLSpinEdit* e = SpinEdit[static_cast<size_t>(i)];
    e->SetMinValue(std::numeric_limits<int>::min() / 2);
    e->SetMaxValue(s.Max);
    e->SetMinValue(s.Min);
    e->SetValue(s.Value);
  }
  for (int g = 1; g <= 4; ++g) {
    QButtonGroup* group = RadioGroup[static_cast<size_t>(g)];
    const int level = form.Radio[static_cast<size_t>(g)];
    group->setExclusive(false);
    for (QAbstractButton* b : group->buttons()) b->setChecked(group->id(b) == level);
    group->setExclusive(true);
  }
  for (int c = 1; c <= 3; ++c) CheckBox[static_cast<size_t>(c)]->setChecked(form.Check[static_cast<size_t>(c)]);
  for (int n = 0; n <= 5; ++n) LevelBox[static_cast<size_t>(n)]->setChecked(form.Levels[static_cast<size_t>(n)]);
  fRefusedSpin = 0;
}

namespace {

// The spin edits of each page, in the order they are checked.
const std::vector<int>& PageSpins(int page) {
  static const std::vector<int> spins[9] = {{1}, {2, 3}, {4}, {}, {5, 6}, {7, 8, 9}, {}, {10, 11}, {12, 13, 14}};
  return spins[std::clamp(page, 0, 8)];
}

}  // namespace

int TFrmParameter::OutOfRange(int& typed) const {
  const std::vector<int>& spins = PageSpins(Notebook1->currentIndex());
  if (fRefusedSpin != 0 && std::find(spins.begin(), spins.end(), fRefusedSpin) != spins.end()) {
    typed = fRefusedValue;
    return fRefusedSpin;
  }
  for (int i : spins) {
    const int v = SpinEdit[static_cast<size_t>(i)]->Value();
    if (!fForm.Spin[static_cast<size_t>(i)].InRange(v)) {
      typed = v;
      return i;
    }
  }
  return 0;
}

void TFrmParameter::TryAccept() {
  int typed = 0;
  const int spin = OutOfRange(typed);
  fRefusedSpin = 0;
  if (spin == 0) {
    accept();
    return;
  }
  TZCLSpinEdit* edit = SpinEdit[static_cast<size_t>(spin)];
  TParamSpin s = fForm.Spin[static_cast<size_t>(spin)];
  s.Value = typed;
  s.Clamp();
  edit->SetValue(s.Value);
  TranslatedMessageDlg(RangeRefusal(fForm, spin, typed), mtWarning, mbOK);
  edit->setFocus();
  edit->SelectAll();
}

TParameterForm TFrmParameter::Store() const {
  TParameterForm form = fForm;
  for (int i = 1; i <= 14; ++i) form.Spin[static_cast<size_t>(i)].Value = SpinEdit[static_cast<size_t>(i)]->Value();
  for (int g = 1; g <= 4; ++g) form.Radio[static_cast<size_t>(g)] = RadioGroup[static_cast<size_t>(g)]->checkedId();
  for (int c = 1; c <= 3; ++c) form.Check[static_cast<size_t>(c)] = CheckBox[static_cast<size_t>(c)]->isChecked();
  for (int n = 0; n <= 5; ++n) form.Levels[static_cast<size_t>(n)] = LevelBox[static_cast<size_t>(n)]->isChecked();
  form.ClampAll();
  return form;
}

void TFrmParameter::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // The priority hints are long: they stay while the dialog is open.
  if (fHintTime < 0) {
    fHintTime = HintHidePause();
    SetHintHidePause(65535);
  }
  if (Notebook1->currentIndex() == 0) SpinEdit[1]->setFocus();
  if (Notebook1->currentIndex() == 1) SpinEdit[2]->setFocus();
}

void TFrmParameter::hideEvent(QHideEvent* event) {
  if (fHintTime >= 0) {
    SetHintHidePause(fHintTime);
    fHintTime = -1;
  }
  QDialog::hideEvent(event);
}

bool TFrmParameter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut) {
    // The spin edit puts a value outside its range into it when it loses the focus; remember
    // what was typed, so that OK names the range instead of taking another value silently.
    for (int i = 1; i <= 14; ++i) {
      if (watched != SpinEdit[static_cast<size_t>(i)]) continue;
      const int v = SpinEdit[static_cast<size_t>(i)]->Value();
      if (!fForm.Spin[static_cast<size_t>(i)].InRange(v)) {
        fRefusedSpin = i;
        fRefusedValue = v;
      }
    }
  }
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      TryAccept();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TFrmParameter::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    TryAccept();
    return;
  }
  QDialog::keyPressEvent(event);  // Escape closes without a value
}

}  // namespace zyn
