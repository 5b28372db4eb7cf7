#include "frames/FrUhren.h"

#include "frames/PageText.h"
#include "model/ModelText.h"
#include "platform/QtText.h"
#include "project/Global.h"
#include "shell/Translation.h"
#include "widgets/common/TimeEdit.h"
#include "widgets/common/WeekdayBox.h"
#include "widgets/common/ZYNDayMask.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLocale>
#include <QMenu>
#include <QPlainTextEdit>

namespace zyn {

namespace {

const TObjectPageTexts& TextsOf(TUhrenTyp kind) {
  static const TObjectPageTexts day{"UHR",
                                    "Tagesuhr %3.3d",
                                    126,
                                    "Uhren (%3.3d/%3.3d)",
                                    "Die Tagesuhren wurden geändert.",
                                    "Soll die Uhr \"%s\" wirklich gelöscht werden",
                                    true,
                                    true};
  static const TObjectPageTexts week{"UHR",
                                     " Wochenuhr %3.3d ",
                                     126,
                                     "Uhren (%3.3d/%3.3d)",
                                     "Die Wochenuhren wurden geändert.",
                                     "Soll die Uhr \"%s\" wirklich gelöscht werden",
                                     true,
                                     false};
  static const TObjectPageTexts blind{"UHR",
                                      "Rolladenuhr %3.3d",
                                      126,
                                      "Uhren (%3.3d/%3.3d)",
                                      "Die Rolladenuhren wurden geändert.",
                                      "Soll die Uhr \"%s\" wirklich gelöscht werden",
                                      true,
                                      false};
  return kind == TUhrenTyp::utTag ? day : kind == TUhrenTyp::utWoche ? week : blind;
}

// The language identifier of the user's language for the weekday names; German, the programme's
// own language, where the system names none of the known ones.
int UserLanguageId() {
  switch (QLocale::system().language()) {
    case QLocale::English:
      return 0x09;
    case QLocale::French:
      return 0x0C;
    case QLocale::Italian:
      return 0x10;
    case QLocale::Dutch:
      return 0x13;
    case QLocale::Spanish:
      return 0x0A;
    case QLocale::Polish:
      return 0x15;
    case QLocale::Czech:
      return 0x05;
    default:
      return 0x07;
  }
}

const char* NameOf(TUhrenTyp kind) {
  return kind == TUhrenTyp::utTag ? "FrTagesUhren" : kind == TUhrenTyp::utWoche ? "FrWochenUhren" : "FrJRMUhren";
}

}  // namespace

TFrUhren::TFrUhren(TUhrenTyp kind, QWidget* parent)
    : TListPage(
          NameOf(kind), TextsOf(kind), &TSteuermodul::Uhren, [] { return GUhrenObserver.get(); }, parent),
      fKind(kind) {
  GList->setObjectName(QStringLiteral("GJListe"));
  Details->setObjectName(QStringLiteral("TGroup"));
  Details->setTitle(PageText(" Uhrendaten "));
  EName->setObjectName(QStringLiteral("ETName"));
  CAdresse->setObjectName(QStringLiteral("ETAdresse"));
  MRemarks->setObjectName(QStringLiteral("BM"));
  MRemarks->setMaximumHeight(90);
}

void TFrUhren::AddDayBox(TWeekdayBox* b, const char* name, const char* caption, bool on) {
  b->setObjectName(QString::fromLatin1(name));
  b->SetCaption(PageText(caption));
  b->SetEditCaption(PageText("Schaltzeit:"));
  b->setMinimumSize(380, 90);
  b->OnChange = [this, b, on](QObject*) { BoxChanged(b, on); };
  b->OnValidateError = [this, b](QObject*) { InvalidTime(b->Edit()); };
  AddDetailWidget(b);
}

void TFrUhren::ShowBoxes(const TUhr& clock, TWeekdayBox* on, TWeekdayBox* off) {
  on->SetTime(ToQString(clock.EinZeit()));
  on->SetDayMask(clock.EinTage & 0x7F);
  off->SetTime(ToQString(clock.AusZeit()));
  off->SetDayMask(clock.AusTage & 0x7F);
}

void TFrUhren::ClearBoxes(TWeekdayBox* on, TWeekdayBox* off, const QString& time) {
  for (TWeekdayBox* b : {on, off}) {
    b->SetDayMask(0);
    b->SetTime(time);
  }
}

void TFrUhren::SetBoxLanguages(std::initializer_list<TWeekdayBox*> boxes, int language) {
  for (TWeekdayBox* b : boxes) b->SetLanguage(language);
}

void TFrUhren::PrepareActivation() { SetDayLanguage(UserLanguageId()); }

QMenu* TFrUhren::PresetMenu(int which) {
  auto* menu = new QMenu(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  const std::pair<const char*, int> presets[] = {{"Täglich", 127}, {"Mo- - Fr.", 31}, {"Sa. + So.", 96}, {"Keine", 0}};
  for (const auto& [text, days] : presets)
    menu->addAction(PageText(text), this, [this, which, days = days] { ApplyPreset(which, days); });
  return menu;
}

bool TFrUhren::ShowsItem(const TZYNBaseObject* object) const {
  const auto* clock = dynamic_cast<const TUhr*>(object);
  return clock && clock->UhrenTyp == fKind;
}

void TFrUhren::BoxChanged(TWeekdayBox* box, bool on) {
  TUhr* clock = SelectedItem();
  if (Updating() || !clock) return;
  (on ? clock->EinTage : clock->AusTage) = box->DayMask();
  if (IsValidTimeText(box->Time())) {
    try {
      on ? clock->SetEinZeit(FromQString(box->Time())) : clock->SetAusZeit(FromQString(box->Time()));
    } catch (const std::exception&) {
    }
  }
  Changed();
}

void TFrUhren::InvalidTime(TTimeEdit* edit) {
  // A time is checked only while its clock is shown: leaving the page empties the fields (the
  // focus may still be in one of them), and an emptied field is no input of the user.
  if (Updating() || !SelectedItem() || !isVisible() || !edit->isEnabled()) return;
  TranslatedMessageDlg(FormatText(ModelTranslate("%s ist keine gültige Uhrzeit!"), {FromQString(edit->Text())}),
                       mtError, mbCancel);
  edit->SetText(QStringLiteral("00:00"));
}

// --- daily clocks ---

TFrTagesUhren::TFrTagesUhren(QWidget* parent) : TFrUhren(TUhrenTyp::utTag, parent) {
  ETTage = new TZYNDayMask;
  ETTage->setObjectName(QStringLiteral("ETTage"));
  ETTage->SetCaption(PageText(" Schalttage "));
  ETTage->SetCaptionAll(PageText("Täglich"));
  ETTage->setMinimumSize(160, 190);
  ETTage->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(ETTage, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& p) { PresetMenu(0)->exec(ETTage->mapToGlobal(p)); });
  ETTage->OnChanged = [this](QObject*) {
    TUhr* clock = SelectedItem();
    if (Updating() || !clock) return;
    clock->EinTage = (clock->EinTage & 0x80) | ETTage->Value();
    clock->AusTage = ETTage->Value();
    Changed();
  };
  AddDetailRow(QString(), ETTage);
  GBTime = new QGroupBox(PageText(" Schaltzeiten "));
  GBTime->setObjectName(QStringLiteral("GBTime"));
  auto* times = new QFormLayout(GBTime);
  ETEin = new TTimeEdit(GBTime);
  ETEin->setObjectName(QStringLiteral("ETEin"));
  ETAus = new TTimeEdit(GBTime);
  ETAus->setObjectName(QStringLiteral("ETAus"));
  for (TTimeEdit* e : {ETEin, ETAus}) {
    e->SetEditMask(QStringLiteral("!90:00;1; "));
    e->OnChange = [this, e](QObject*) { TimeEdited(e, e == ETEin); };
    e->OnValidateError = [this, e](QObject*) { InvalidTime(e); };
  }
  times->addRow(PageText("Einschaltzeit:"), ETEin);
  times->addRow(PageText("Ausschaltzeit:"), ETAus);
  AddDetailWidget(GBTime);
  CBInit = new QCheckBox(PageText("Als Initialisierungs- Uhr verwenden"));
  CBInit->setObjectName(QStringLiteral("CBInit"));
  connect(CBInit, &QCheckBox::clicked, this, [this](bool on) { InitClicked(on); });
  AddDetailWidget(CBInit);
}

void TFrTagesUhren::SetDayLanguage(int language) { ETTage->SetSprache(language); }

void TFrTagesUhren::ApplyPreset(int, int days) {
  TUhr* clock = SelectedItem();
  if (!clock) return;
  WhileUpdating([&] { ETTage->SetValue(days); });
  if (clock->IsInitClock()) return;
  clock->EinTage = days;
  clock->AusTage = days;
  Changed();
}

void TFrTagesUhren::ShowDetails(TZYNBaseObject* object) {
  TUhr* clock = Item(object);
  ETEin->SetText(ToQString(clock->EinZeit()));
  ETAus->SetText(ToQString(clock->AusZeit()));
  ETTage->SetValue(clock->EinTage & 0x7F);
  CBInit->setChecked(clock->IsInitClock());
}

void TFrTagesUhren::ClearDetails() {
  ETEin->SetText(QString());
  ETAus->SetText(QString());
  ETTage->SetValue(0);
  CBInit->setChecked(false);
}

void TFrTagesUhren::TimeEdited(TTimeEdit* edit, bool on) {
  TUhr* clock = SelectedItem();
  if (Updating() || !clock) return;
  // Only a complete time is stored; leaving an incomplete one reports it.
  if (!IsValidTimeText(edit->Text())) return;
  try {
    on ? clock->SetEinZeit(FromQString(edit->Text())) : clock->SetAusZeit(FromQString(edit->Text()));
  } catch (const std::exception&) {
    return;
  }
  Changed();
}

void TFrTagesUhren::InitClicked(bool checked) {
  TUhr* clock = SelectedItem();
  if (Updating() || !clock) return;
  if (checked) {
    clock->EinTage = 128;
    clock->AusTage = 0;
    WhileUpdating([this] { ETTage->SetValue(0); });
  } else {
    clock->EinTage = ETTage->Value();
  }
  Changed();
}

void TFrTagesUhren::UpdatePage() {
  TObjectPage::UpdatePage();
  if (!CBInit) return;
  bool otherInit = false;
  for (int i = 0; i < fWorkList.Count(); ++i)
    if (fWorkList.GetItem(i) != SelectedItem() && fWorkList.GetItem(i)->IsInitClock()) otherInit = true;
  CBInit->setEnabled(!otherInit || CBInit->isChecked());
  ETTage->setEnabled(!CBInit->isChecked());
  GBTime->setEnabled(!CBInit->isChecked());
}

// --- weekly clocks ---

TFrWochenUhren::TFrWochenUhren(QWidget* parent) : TFrUhren(TUhrenTyp::utWoche, parent) {
  EWEin = new TOneDay;
  EWAus = new TOneDay;
  EWEin->SetAustext(PageText("Aus"));
  EWAus->SetAustext(PageText("Aus"));
  AddDayBox(EWEin, "EWEin", " Einschalttag ", true);
  AddDayBox(EWAus, "EWAus", " Ausschalttag ", false);
}

void TFrWochenUhren::SetDayLanguage(int language) { SetBoxLanguages({EWEin, EWAus}, language); }

void TFrWochenUhren::ShowDetails(TZYNBaseObject* object) { ShowBoxes(*Item(object), EWEin, EWAus); }

void TFrWochenUhren::ClearDetails() { ClearBoxes(EWEin, EWAus, QStringLiteral("00:00")); }

// --- blind-motor clocks ---

TFrJRMUhren::TFrJRMUhren(QWidget* parent) : TFrUhren(TUhrenTyp::utRollade, parent) {
  EJEin = new TWTSelectBox;
  EJAus = new TWTSelectBox;
  EJEin->SetAlleText(PageText("Alle"));
  EJAus->SetAlleText(PageText("Alle"));
  AddDayBox(EJEin, "EJEin", " Jalousie/Rollade heben  (Einschalten der Uhr) ", true);
  AddDayBox(EJAus, "EJAus", " Jalousie/Rollade senken (Ausschalten der Uhr) ", false);
  for (int which = 0; which < 2; ++which) {
    TWTSelectBox* b = which == 0 ? EJEin : EJAus;
    b->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(b, &QWidget::customContextMenuRequested, this,
            [this, b, which](const QPoint& p) { PresetMenu(which)->exec(b->mapToGlobal(p)); });
  }
}

void TFrJRMUhren::SetDayLanguage(int language) { SetBoxLanguages({EJEin, EJAus}, language); }

void TFrJRMUhren::ApplyPreset(int which, int days) {
  TUhr* clock = SelectedItem();
  if (!clock) return;
  WhileUpdating([&] { (which == 0 ? EJEin : EJAus)->SetDayMask(days); });
  (which == 0 ? clock->EinTage : clock->AusTage) = days;
  Changed();
}

void TFrJRMUhren::ShowDetails(TZYNBaseObject* object) { ShowBoxes(*Item(object), EJEin, EJAus); }

void TFrJRMUhren::ClearDetails() { ClearBoxes(EJEin, EJAus, QStringLiteral("00:01")); }

}  // namespace zyn
