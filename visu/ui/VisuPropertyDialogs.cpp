#include "visu/ui/VisuPropertyDialogs.h"

#include "widgets/common/WidgetText.h"
#include "model/BasisDaten.h"
#include "model/Kanal.h"
#include "model/Merker.h"
#include "model/Modul.h"
#include "model/Uhr.h"
#include "model/base/Cp1252.h"
#include "model/base/Translator.h"
#include "platform/QtText.h"
#include "project/Global.h"
#include "project/Projekt.h"
#include "project/Steuermodul.h"
#include "shell/Translation.h"
#include "visu/ui/VisuButtons.h"
#include "visu/ui/VisuControls.h"
#include "visu/ui/VisuLogger.h"
#include "widgets/controls/ZCLSpinEdit.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QVBoxLayout>

#include <algorithm>

namespace zyn {

namespace {


QGroupBox* Group(QWidget* body, const char* caption) {
  auto* g = new QGroupBox(TranslatedText(caption), body);
  g->setLayout(new QGridLayout);
  body->layout()->addWidget(g);
  return g;
}

QGridLayout* Grid(QGroupBox* g) { return static_cast<QGridLayout*>(g->layout()); }

void Row(QGroupBox* g, const char* label, QWidget* field) {
  QGridLayout* grid = Grid(g);
  const int row = grid->rowCount();
  if (label) grid->addWidget(new QLabel(TranslatedText(label), g), row, 0);
  grid->addWidget(field, row, label ? 1 : 0, 1, label ? 1 : 2);
}

QLineEdit* Edit(QWidget* parent) { return new QLineEdit(parent); }

}  // namespace

// ---- fields -------------------------------------------------------------------------------------

TVisuColorBox::TVisuColorBox(QWidget* parent) : QPushButton(parent) {
  setMinimumWidth(60);
  connect(this, &QPushButton::clicked, this, [this] {
    const QColor c = QColorDialog::getColor(VisuColor(fValue), this, TranslatedText("Farbe"));
    if (!c.isValid()) return;
    SetValue(c.red() | (c.green() << 8) | (c.blue() << 16));
    if (OnChange) OnChange();
  });
  SetValue(0);
}

void TVisuColorBox::SetValue(int32_t color) {
  fValue = color;
  setStyleSheet(QStringLiteral("background-color: %1;").arg(VisuColor(color).name()));
}

TVisuFont VisuFontFrom(const QFont& font, int32_t color) {
  TVisuFont f;
  f.Name = FromQString(font.family());
  f.Size = font.pointSize() > 0 ? font.pointSize() : std::max(1, font.pixelSize() * 72 / 96);
  f.Color = color;
  f.Style = static_cast<uint8_t>((font.bold() ? TVisuFont::fsBold : 0) | (font.italic() ? TVisuFont::fsItalic : 0) |
                                 (font.underline() ? TVisuFont::fsUnderline : 0) |
                                 (font.strikeOut() ? TVisuFont::fsStrikeOut : 0));
  return f;
}

TVisuFontField::TVisuFontField(QWidget* parent, const char* sample) : QWidget(parent) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  Sample = new QLabel(TranslatedText(sample), this);
  Change = new QPushButton(TranslatedText("Ändern"), this);
  row->addWidget(Sample, 1);
  row->addWidget(Change);
  connect(Change, &QPushButton::clicked, this, [this] {
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, VisuQFont(fFont), this, TranslatedText("Schriftart"));
    if (ok) SetValue(VisuFontFrom(chosen, fFont.Color));
  });
}

void TVisuFontField::SetValue(const TVisuFont& font) {
  fFont = font;
  Sample->setFont(VisuQFont(font));
}

// ---- common part --------------------------------------------------------------------------------

TVisuPropertyDialog::TVisuPropertyDialog(QWidget* control, const char* caption, QWidget* parent)
    : QDialog(parent), fControl(control) {
  setWindowTitle(TranslatedText(caption));
  auto* main = new QVBoxLayout(this);
  fBody = new QWidget(this);
  fBody->setLayout(new QVBoxLayout);
  fBody->layout()->setContentsMargins(0, 0, 0, 0);
  main->addWidget(fBody);
  auto* pos = new QGroupBox(TranslatedText(" Position "), this);
  fPosition = pos;
  auto* grid = new QGridLayout(pos);
  static const char* const kLabels[4] = {"Links:", "Oben:", "Breite:", "Höhe:"};
  for (int tag = 0; tag < 4; ++tag) {
    auto* s = new TZCLSpinEdit(pos);
    s->SetMinValue(0);
    s->SetMaxValue(1000);
    s->setMinimumWidth(80);
    // The edit keeps the height its font needs: the layout would squeeze the digits.
    s->AdjustHeight();
    s->setFixedHeight(s->height());
    grid->addWidget(new QLabel(TranslatedText(kLabels[tag]), pos), tag / 2, (tag % 2) * 2);
    grid->addWidget(s, tag / 2, (tag % 2) * 2 + 1);
    s->OnChange = [this, tag](QObject*) { SpinChanged(tag); };
    Spin[static_cast<size_t>(tag)] = s;
  }
  main->addWidget(pos);
  auto* buttons = new QHBoxLayout;
  BtnOK = new QPushButton(TranslatedText("OK"), this);
  BtnCancel = new QPushButton(TranslatedText("Abbrechen"), this);
  BtnApply = new QPushButton(TranslatedText("Übernehmen"), this);
  buttons->addStretch(1);
  buttons->addWidget(BtnOK);
  buttons->addWidget(BtnCancel);
  buttons->addWidget(BtnApply);
  main->addLayout(buttons);
  BtnOK->setDefault(true);
  connect(BtnOK, &QPushButton::clicked, this, [this] {
    Apply();
    done(1);
  });
  connect(BtnCancel, &QPushButton::clicked, this, &TVisuPropertyDialog::reject);
  connect(BtnApply, &QPushButton::clicked, this, [this] { Apply(); });
}

void TVisuPropertyDialog::Fill() {
  fBounds = fControl->geometry();
  fFilling = true;
  FillFields();
  fFilling = false;
  const int values[4] = {fBounds.left(), fBounds.top(), fBounds.width(), fBounds.height()};
  for (int tag = 0; tag < 4; ++tag) {
    fFilling = values[tag] <= 1000;  // a value beyond the limit moves the control to it
    Spin[static_cast<size_t>(tag)]->SetValue(std::min(values[tag], 1000));
    if (values[tag] > 1000) SpinChanged(tag);
  }
  fFilling = false;
}

void TVisuPropertyDialog::SpinChanged(int tag) {
  if (fFilling) return;
  const int v = Spin[static_cast<size_t>(tag)]->Value();
  QRect r = fControl->geometry();
  switch (tag) {
    case 0:
      r.moveLeft(v);
      break;
    case 1:
      r.moveTop(v);
      break;
    case 2:
      r.setWidth(v);
      break;
    default:
      r.setHeight(v);
      break;
  }
  if (SquareLinked() && tag >= 2) {
    r.setWidth(v);
    r.setHeight(v);
    fFilling = true;
    Spin[tag == 2 ? 3 : 2]->SetValue(v);
    fFilling = false;
  }
  fControl->setGeometry(r);
}

void TVisuPropertyDialog::Apply() {
  ApplyFields();
  fControl->update();
  // The fields may have resized the control (a caption that needs room): the spin edits follow.
  const QRect r = fControl->geometry();
  const int values[4] = {r.left(), r.top(), r.width(), r.height()};
  fFilling = true;
  for (int tag = 0; tag < 4; ++tag) Spin[static_cast<size_t>(tag)]->SetValue(std::min(values[tag], 1000));
  fFilling = false;
  if (KeepsBoundsOnApply()) fBounds = fControl->geometry();
}

void TVisuPropertyDialog::Cancel() { fControl->setGeometry(fBounds); }

void TVisuPropertyDialog::reject() {
  // "Abbrechen", Esc and closing the window all end here.
  Cancel();
  done(2);
}

// ---- design fields --------------------------------------------------------------------------------

void TVisuDesignFields::Build(QWidget* body, const char* fontGroup, const char* sample) {
  const auto state = [body](const char* caption, TVisuColorBox*& color, QLineEdit*& text) {
    QGroupBox* g = Group(body, caption);
    color = new TVisuColorBox(g);
    text = Edit(g);
    Grid(g)->addWidget(color, 0, 0);
    Grid(g)->addWidget(text, 0, 1);
  };
  state(" Status EIN", OnColor, OnText);
  state(" Status AUS", OffColor, OffText);
  state(" Status UNDEFINIERT", UndefColor, UndefText);
  QGroupBox* f = Group(body, fontGroup);
  Font = new TVisuFontField(f, sample);
  Row(f, nullptr, Font);
  QGroupBox* r = Group(body, " Rahmen ");
  FrameStyle = new QComboBox(r);
  for (const char* s : {"keiner", "versenkt", "erhaben"}) FrameStyle->addItem(TranslatedText(s));
  Row(r, nullptr, FrameStyle);
}

void TVisuDesignFields::Fill(const TVisuDesign& d, bool translated) {
  const auto text = [translated](const std::string& s) { return ToQString(translated ? TranslateText(s) : s); };
  OnColor->SetValue(d.OnColor());
  OffColor->SetValue(d.OffColor());
  UndefColor->SetValue(d.UndefColor());
  OnText->setText(text(d.OnText()));
  OffText->setText(text(d.OffText()));
  UndefText->setText(ToQString(d.UndefText()));
  Font->SetValue(d.Font());
  FrameStyle->setCurrentIndex(static_cast<int>(d.FrameStyle()));
}

void TVisuDesignFields::Apply(TVisuDesign& d) const {
  d.SetOnColor(OnColor->Value());
  d.SetOffColor(OffColor->Value());
  d.SetUndefColor(UndefColor->Value());
  d.SetOnText(FromQString(OnText->text()));
  d.SetOffText(FromQString(OffText->text()));
  d.SetUndefText(FromQString(UndefText->text()));
  d.SetFont(Font->Value());
  if (FrameStyle->currentIndex() >= 0) d.SetFrameStyle(static_cast<TFrameStyle>(FrameStyle->currentIndex()));
}

namespace {
bool IsSquareShape(const TVisuDesign& d) {
  return d.Shape() == TShapeType::stSquare || d.Shape() == TShapeType::stRoundSquare ||
         d.Shape() == TShapeType::stCircle;
}
}  // namespace

// ---- LED shapes -------------------------------------------------------------------------------------

TFrmDesign::TFrmDesign(QWidget* control, QWidget* parent) : TVisuPropertyDialog(control, "Eigenschaften", parent) {
  Fields.Build(Body(), " Zeichensatz ", "Beispiel");
}
void TFrmDesign::FillFields() { Fields.Fill(static_cast<TVisuControl*>(Control())->Design, true); }
void TFrmDesign::ApplyFields() { Fields.Apply(static_cast<TVisuControl*>(Control())->Design); }
bool TFrmDesign::SquareLinked() const { return IsSquareShape(static_cast<TVisuControl*>(Control())->Design); }

// ---- text indicator -------------------------------------------------------------------------------

TFrmTextIndicatorEditor::TFrmTextIndicatorEditor(QWidget* control, QWidget* parent)
    : TVisuPropertyDialog(control, "Eigenschaften bearbeiten", parent) {
  Fields.Build(Body(), " Schriftart ", "ABC abc");
  QGroupBox* g = Group(Body(), " Textattribute ");
  Row(g, "Text", CaptionText = Edit(g));
  Row(g, "Farbe", CaptionColor = new TVisuColorBox(g));
  CaptionPosition = new QComboBox(g);
  for (const char* s : {"Links", "Oben", "Rechts", "Unten"}) CaptionPosition->addItem(TranslatedText(s));
  Row(g, "Position", CaptionPosition);
  Row(g, nullptr, CaptionTransparent = new QCheckBox(TranslatedText("Transparent"), g));
  Row(g, "Schriftart:", CaptionFont = new TVisuFontField(g, "Beispiel"));
}

void TFrmTextIndicatorEditor::FillFields() {
  auto* c = static_cast<TVisuTextIndicator*>(Control());
  Fields.Fill(c->Design, true);
  CaptionText->setText(ToQString(c->Caption.Caption()));
  CaptionColor->SetValue(c->Caption.Color());
  CaptionPosition->setCurrentIndex(static_cast<int>(c->Caption.Position()));
  CaptionTransparent->setChecked(c->Caption.Transparent());
  CaptionFont->SetValue(c->Caption.Font());
}

void TFrmTextIndicatorEditor::ApplyFields() {
  auto* c = static_cast<TVisuTextIndicator*>(Control());
  Fields.Apply(c->Design);
  c->Caption.SetCaption(FromQString(CaptionText->text()));
  c->Caption.SetColor(CaptionColor->Value());
  if (CaptionPosition->currentIndex() >= 0)
    c->Caption.SetPosition(static_cast<TCaptionPos>(CaptionPosition->currentIndex()));
  c->Caption.SetTransparent(CaptionTransparent->isChecked());
  c->Caption.SetFont(CaptionFont->Value());
}

bool TFrmTextIndicatorEditor::SquareLinked() const {
  return IsSquareShape(static_cast<TVisuTextIndicator*>(Control())->Design);
}

// ---- summary status -----------------------------------------------------------------------------

TFrmSummenStatusEditor::TFrmSummenStatusEditor(QWidget* control, QWidget* parent)
    : TVisuPropertyDialog(control, "Eigenschaften bearbeiten", parent) {
  Fields.Build(Body(), " Zeichensatz ", "Beispiel");
  QGroupBox* g = Group(Body(), " Rahmenattribute ");
  Row(g, "Text", CaptionText = Edit(g));
  Row(g, "Farbe:", CaptionColor = new TVisuColorBox(g));
  Row(g, "Schriftart:", CaptionFont = new TVisuFontField(g, "Beispiel"));
  QGroupBox* k = Group(Body(), " Zugewiesene Kanäle ");
  Channels = new QListWidget(k);
  Channels->setContextMenuPolicy(Qt::CustomContextMenu);
  Row(k, nullptr, Channels);
  connect(Channels, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    QMenu menu(this);
    QAction* del = menu.addAction(TranslatedText("Kanal löschen"));
    del->setEnabled(Channels->currentItem() != nullptr);
    if (menu.exec(Channels->viewport()->mapToGlobal(at)) == del) DeleteSelectedChannel();
  });
}

void TFrmSummenStatusEditor::DeleteSelectedChannel() { delete Channels->currentItem(); }

void TFrmSummenStatusEditor::FillFields() {
  auto* c = static_cast<TSummenStatus*>(Control());
  Fields.Fill(c->Design, false);
  CaptionText->setText(ToQString(c->Caption));
  CaptionColor->SetValue(c->CaptionColor);
  CaptionFont->SetValue(c->CaptionFont);
  Channels->clear();
  for (const auto& item : c->Kanaele) {
    std::string name = item->Name.empty() ? item->Hint : item->Name;  // the designer keeps the name as hint
    std::replace(name.begin(), name.end(), '\r', ':');
    auto* entry = new QListWidgetItem(ToQString(name), Channels);
    entry->setData(Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(item.get())));
  }
}

void TFrmSummenStatusEditor::ApplyFields() {
  auto* c = static_cast<TSummenStatus*>(Control());
  Fields.Apply(c->Design);
  c->Caption = FromQString(CaptionText->text());
  c->CaptionColor = CaptionColor->Value();
  c->CaptionFont = CaptionFont->Value();
  std::vector<quintptr> kept;
  for (int i = 0; i < Channels->count(); ++i) kept.push_back(Channels->item(i)->data(Qt::UserRole).value<quintptr>());
  std::erase_if(c->Kanaele, [&](const std::unique_ptr<TVisuDataCollectionItem>& item) {
    return std::find(kept.begin(), kept.end(), reinterpret_cast<quintptr>(item.get())) == kept.end();
  });
}

bool TFrmSummenStatusEditor::SquareLinked() const {
  return IsSquareShape(static_cast<TSummenStatus*>(Control())->Design);
}

// ---- navigation button -------------------------------------------------------------------------------

TFrmNavigationEditor::TFrmNavigationEditor(QWidget* control, QWidget* parent)
    : TVisuPropertyDialog(control, "Eigenschaften bearbeiten", parent) {
  QGroupBox* g = Group(Body(), " Beschriftung ");
  Row(g, "Beschriftung", CaptionText = Edit(g));
  Row(g, "Font", Font = new TVisuFontField(g, "Beispiel"));
}

void TFrmNavigationEditor::FillFields() {
  auto* c = static_cast<TNavigationButton*>(Control());
  CaptionText->setText(ToQString(c->Caption()));
  Font->SetValue(c->Font);
}

void TFrmNavigationEditor::ApplyFields() {
  auto* c = static_cast<TNavigationButton*>(Control());
  c->SetCaption(FromQString(CaptionText->text()));
  c->Font = Font->Value();
}

// ---- segment -------------------------------------------------------------------------------------

TFrmSegmentEditor::TFrmSegmentEditor(QWidget* control, QWidget* parent)
    : TVisuPropertyDialog(control, "Eigenschafte bearbeiten", parent) {
  QGroupBox* g = Group(Body(), " Segmenteigenschaften ");
  Pattern = new QComboBox(g);
  for (const char* s :
       {"Ausgefüllt", "Transparent", "Horizontal", "Vertical", "FDiagonal", "BDiagonal", "Gitter", "Diagonales Gitter"})
    Pattern->addItem(TranslatedText(s));
  Row(g, "Pattern:", Pattern);
  Row(g, "Farbe:", PatternColor = new TVisuColorBox(g));
  Row(g, nullptr, PatternOnMouse = new QCheckBox(TranslatedText("Patter zeigen wenn Maus über Segment"), g));
  Preview = new TSegmentControl(g);
  Preview->setFixedSize(120, 60);
  Row(g, "Vorschau:", Preview);
  connect(Pattern, &QComboBox::currentIndexChanged, this, [this] { UpdatePreview(); });
  connect(PatternOnMouse, &QCheckBox::toggled, this, [this] { UpdatePreview(); });
  PatternColor->OnChange = [this] { UpdatePreview(); };
}

void TFrmSegmentEditor::UpdatePreview() {
  if (Pattern->currentIndex() >= 0) Preview->SetPattern(static_cast<TBrushStyle>(Pattern->currentIndex()));
  Preview->SetPatternColor(PatternColor->Value());
  Preview->SetPatternOnMouse(PatternOnMouse->isChecked());
}

void TFrmSegmentEditor::FillFields() {
  auto* c = static_cast<TSegmentControl*>(Control());
  Pattern->setCurrentIndex(static_cast<int>(c->Pattern()));
  PatternColor->SetValue(c->PatternColor());
  PatternOnMouse->setChecked(c->PatternOnMouse());
  UpdatePreview();
}

void TFrmSegmentEditor::ApplyFields() {
  auto* c = static_cast<TSegmentControl*>(Control());
  c->SetPattern(Preview->Pattern());
  c->SetPatternColor(Preview->PatternColor());
  c->SetPatternOnMouse(Preview->PatternOnMouse());
}

// ---- text -------------------------------------------------------------------------------------------

TFrmLabelEditor::TFrmLabelEditor(QWidget* control, QWidget* parent)
    : TVisuPropertyDialog(control, "Eigenschafte bearbeiten", parent) {
  QGroupBox* g = Group(Body(), " Eigenschaften ");
  Row(g, "Text", CaptionText = Edit(g));
  Row(g, "Farbe", Color = new TVisuColorBox(g));
  Row(g, nullptr, Transparent = new QCheckBox(TranslatedText("Transparent"), g));
  Row(g, "Font", Font = new TVisuFontField(g, "Beispiel"));
  AutoSize = new QCheckBox(TranslatedText("Automatische Breite"), PositionGroup());
  static_cast<QGridLayout*>(PositionGroup()->layout())->addWidget(AutoSize, 2, 0, 1, 4);
  connect(AutoSize, &QCheckBox::clicked, this, [this] { AutoSizeClicked(); });
}

void TFrmLabelEditor::AutoSizeClicked() {
  static_cast<TVisuText*>(Control())->SetAutoSize(AutoSize->isChecked());
  Spin[2]->setEnabled(!AutoSize->isChecked());
  Spin[3]->setEnabled(!AutoSize->isChecked());
}

void TFrmLabelEditor::FillFields() {
  auto* c = static_cast<TVisuText*>(Control());
  CaptionText->setText(ToQString(c->Caption()));
  Color->SetValue(c->Color);
  Transparent->setChecked(c->Transparent);
  Font->SetValue(c->Font);
  AutoSize->setChecked(c->AutoSize());
  Spin[2]->setEnabled(!c->AutoSize());
  Spin[3]->setEnabled(!c->AutoSize());
}

void TFrmLabelEditor::ApplyFields() {
  auto* c = static_cast<TVisuText*>(Control());
  c->Color = Color->Value();
  c->Transparent = Transparent->isChecked();
  c->Font = Font->Value();
  c->SetCaption(FromQString(CaptionText->text()));  // last: an automatic size follows the font
}

// ---- logger -------------------------------------------------------------------------------------------

TFrmLoggerEditor::TFrmLoggerEditor(QWidget* control, QWidget* parent)
    : TVisuPropertyDialog(control, "Eigenschaften bearbeiten", parent) {
  QGroupBox* g = Group(Body(), " Logging Optionen ");
  Row(g, nullptr, LogTime = new QCheckBox(TranslatedText("Datum / Uhrzeit  aufzeichnen"), g));
  Row(g, "Text für Einschaltflanke", OnText = Edit(g));
  Row(g, "Text für Ausschaltflanke", OffText = Edit(g));
  QGroupBox* a = Group(Body(), " Aufzeichnung ");
  Row(a, nullptr, Save = new QCheckBox(TranslatedText("Aktiv"), a));
  Row(a, "Loggeridentifikation:", Ident = Edit(a));
  QGroupBox* d = Group(Body(), " Design ");
  Row(d, "Hintergrundfarbe:", Color = new TVisuColorBox(d));
  Row(d, "Schriftart", Font = new TVisuFontField(d, "ABC abc"));
}

void TFrmLoggerEditor::FillFields() {
  auto* c = static_cast<TVisuLogger*>(Control());
  LogTime->setChecked(c->LoggerData.LogTime);
  OnText->setText(ToQString(c->LoggerData.OnText));
  OffText->setText(ToQString(c->LoggerData.OffText));
  Save->setChecked(c->LoggerData.Save);
  Ident->setText(ToQString(c->LoggerData.Ident));
  Color->SetValue(c->Color);
  Font->SetValue(c->Font);
}

void TFrmLoggerEditor::ApplyFields() {
  auto* c = static_cast<TVisuLogger*>(Control());
  c->LoggerData.LogTime = LogTime->isChecked();
  c->LoggerData.OnText = FromQString(OnText->text());
  c->LoggerData.OffText = FromQString(OffText->text());
  c->LoggerData.Save = Save->isChecked();
  c->LoggerData.Ident = FromQString(Ident->text());
  c->Color = Color->Value();
  c->Font = Font->Value();
  c->setFont(VisuQFont(c->Font));
  QPalette pal = c->palette();
  pal.setColor(QPalette::Base, VisuColor(c->Color));
  c->setPalette(pal);
}

// ---- buttons -------------------------------------------------------------------------------------------

TFrmPositionEditor::TFrmPositionEditor(QWidget* control, QWidget* parent)
    : TVisuPropertyDialog(control, "Eigenscaften bearbeiten", parent) {
  QGroupBox* g = Group(Body(), " Eigenschaften ");
  Row(g, "Beschriftung:", CaptionText = Edit(g));
  Row(g, "Schriftart", Font = new TVisuFontField(g, "Beispiel"));
}

void TFrmPositionEditor::FillFields() {
  auto* c = static_cast<TVisuPushButton*>(Control());
  CaptionText->setText(ToQString(c->Caption()));
  Font->SetValue(VisuFontFrom(c->font(), TVisuColors::clWindowText));
}

void TFrmPositionEditor::ApplyFields() {
  auto* c = static_cast<TVisuPushButton*>(Control());
  c->SetCaption(FromQString(CaptionText->text()));
  c->setFont(VisuQFont(Font->Value()));
  c->FitCaption();
}

// ---- choice of the dialog ------------------------------------------------------------------------

std::unique_ptr<TVisuPropertyDialog> MakeVisuPropertyDialog(TVisuComponent* control, QWidget* parent) {
  QWidget* w = control ? control->Self() : nullptr;
  if (!w) return nullptr;
  std::unique_ptr<TVisuPropertyDialog> d;
  if (dynamic_cast<TVisuGraphicsControl*>(w))
    d = std::make_unique<TFrmDesign>(w, parent);
  else if (dynamic_cast<TSummenStatus*>(w))
    d = std::make_unique<TFrmSummenStatusEditor>(w, parent);
  else if (dynamic_cast<TNavigationButton*>(w))
    d = std::make_unique<TFrmNavigationEditor>(w, parent);
  else if (dynamic_cast<TSegmentControl*>(w))
    d = std::make_unique<TFrmSegmentEditor>(w, parent);
  else if (dynamic_cast<TVisuText*>(w))
    d = std::make_unique<TFrmLabelEditor>(w, parent);
  else if (dynamic_cast<TVisuLogger*>(w))
    d = std::make_unique<TFrmLoggerEditor>(w, parent);
  else if (dynamic_cast<TVisuTextIndicator*>(w))
    d = std::make_unique<TFrmTextIndicatorEditor>(w, parent);
  else if (dynamic_cast<TTeleButton*>(w) || dynamic_cast<TExitButton*>(w) || dynamic_cast<TVisuSTMConnectButton*>(w))
    d = std::make_unique<TFrmPositionEditor>(w, parent);
  if (d) {
    TranslateForm(d.get());
    d->Fill();
  }
  return d;
}

// ---- function assignment ---------------------------------------------------------------------------

TFrmIndexFunction::TFrmIndexFunction(TZYNProjekt& project, IIndexTeleHandler& control, const TZYNBaseObject* object,
                                     QWidget* parent)
    : QDialog(parent), fProject(project), fControl(control) {
  setWindowTitle(TranslatedText("Funktionszuweisung"));
  auto* main = new QVBoxLayout(this);
  auto* hint = new QLabel(TranslatedText("Wählen Sie links eine Funktion und rechts einen Befehl aus und drücken Sie dann "
                             "\"Auswahl Verknüpfen\"."),
                          this);
  hint->setWordWrap(true);
  main->addWidget(hint);
  auto* lists = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  left->addWidget(new QLabel(TranslatedText("Funktionen"), this));
  left->addWidget(Functions = new QListWidget(this));
  auto* right = new QVBoxLayout;
  right->addWidget(new QLabel(TranslatedText("Verfügbare Befehle"), this));
  right->addWidget(Commands = new QListWidget(this));
  lists->addLayout(left);
  lists->addLayout(right);
  main->addLayout(lists);
  main->addWidget(BtnLink = new QPushButton(TranslatedText("Auswahl Verknüpfen"), this));
  main->addWidget(new QLabel(TranslatedText("Zugewiesene Verknüpfungen"), this));
  main->addWidget(Assigned = new QListWidget(this));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(BtnApply = new QPushButton(TranslatedText("Übernehmen"), this));
  buttons->addWidget(BtnCancel = new QPushButton(TranslatedText("Abbrechen"), this));
  main->addLayout(buttons);
  connect(BtnLink, &QPushButton::clicked, this, [this] { LinkSelection(); });
  connect(BtnApply, &QPushButton::clicked, this, [this] {
    Apply();
    done(1);
  });
  connect(BtnCancel, &QPushButton::clicked, this, [this] { done(2); });

  for (int i = 0; i < fControl.GetIndexCount(); ++i) {
    const TIndexInfo* info = fControl.GetIndexInfo(i);
    if (!info) continue;
    fCopies.push_back(*info);
    Functions->addItem(ToQString(info->IndexName));
  }

  // The object as the project knows it.
  TSteuermodul* stm = nullptr;
  TModul* modul = nullptr;
  const TKanal* target = nullptr;
  TKanalArt kind = TKanalArt::kaUnknown;
  if (object) {
    const std::string& name = object->InternalName();
    if (dynamic_cast<const TEingang*>(object)) {
      target = fProject.FindEingang(name, &stm, &modul);
      kind = TKanalArt::kaEingang;
    } else if (dynamic_cast<const TAusgang*>(object)) {
      const TAusgang* out = fProject.FindAusgang(name, &stm, &modul);
      // The state of an output comes from the feedback channel of the same address.
      target = out && modul ? modul->FindRueckmeldung(out->Adresse()) : nullptr;
      kind = TKanalArt::kaRueckmeldung;
    } else if (dynamic_cast<const TUhr*>(object)) {
      target = fProject.FindUhr(name, &stm);
      kind = TKanalArt::kaUhr;
    } else if (dynamic_cast<const TMerker*>(object)) {
      target = fProject.FindMerker(name, &stm);
      kind = TKanalArt::kaMerker;
    }
  }
  fResolved = stm && target;
  if (!fResolved) return;
  if (GBasisDaten) {
    TEAFunctionList* list = GBasisDaten->BefehlsListen.FindList(CommandListName(*target, true));
    for (const std::string& n : FillCommandList(*GBasisDaten, *target, true)) {
      const TEABaseFunction* f = list ? list->FindByDisplayName(n) : nullptr;
      if (!f) continue;
      fCommands.emplace_back(f->Command, n);
      Commands->addItem(ToQString(n));
    }
  }
  const bool withModule = kind == TKanalArt::kaEingang || kind == TKanalArt::kaRueckmeldung;
  for (TIndexInfo& copy : fCopies) {
    copy.Steuermodul = stm->Adresse();
    copy.Kanal = target->Adresse();
    copy.KanalArt = kind;
    copy.Modul = withModule && modul ? modul->BusKey() : 0;
    copy.Shift = withModule && modul ? modul->EinShift : 0;
  }
  RebuildAssigned();
}

void TFrmIndexFunction::RebuildAssigned() {
  Assigned->clear();
  for (const TIndexInfo& c : fCopies)
    if (!c.CommandName.empty()) Assigned->addItem(ToQString(c.IndexName + " <--> " + c.CommandName));
}

void TFrmIndexFunction::LinkSelection() {
  const int f = Functions->currentRow();
  const int c = Commands->currentRow();
  if (f < 0 || c < 0 || f >= static_cast<int>(fCopies.size()) || c >= static_cast<int>(fCommands.size())) return;
  fCopies[static_cast<size_t>(f)].Command = fCommands[static_cast<size_t>(c)].first;
  fCopies[static_cast<size_t>(f)].CommandName = fCommands[static_cast<size_t>(c)].second;
  RebuildAssigned();
}

void TFrmIndexFunction::Apply() {
  bool changed = false;
  for (const TIndexInfo& copy : fCopies) {
    if (copy.CommandName.empty()) continue;
    for (int i = 0; i < fControl.GetIndexCount(); ++i) {
      TIndexInfo* info = fControl.GetIndexInfo(i);
      if (info && info->Index == copy.Index) {
        info->Assign(copy);
        changed = true;
      }
    }
  }
  if (changed) fProject.Modified = true;
}

}  // namespace zyn
