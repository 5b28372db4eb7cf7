#pragma once
// Screens of a display panel and the objects on them: texts, state variables, graphics, lines
// and value variables, their function keys and the display's state-text pairs.

#include "display/DispVerbindungen.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zyn {

class TReader;
class TWriter;
class TBildschirm;
class TFunktButton;
class TNavigationObserver;
class TText;

// ---------------------------------------------------------------------------------------------
// Pictures

// A picture as plain pixel data: one colour value (0x00BBGGRR) per pixel, row by row. Only the
// colour 0 (exactly black) is a set pixel of the panel.
struct TMonoBitmap {
  static constexpr uint32_t clBlack = 0x000000;
  static constexpr uint32_t clWhite = 0xFFFFFF;

  int Width = 0;
  int Height = 0;
  std::vector<uint32_t> Pixels;

  void SetSize(int width, int height, uint32_t colour = clWhite);
  uint32_t Pixel(int x, int y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
  void SetPixel(int x, int y, uint32_t colour) { Pixels[static_cast<size_t>(y) * Width + x] = colour; }
  bool operator==(const TMonoBitmap&) const = default;
};

// ---------------------------------------------------------------------------------------------
// Function keys

enum TFunktionsArt : uint8_t {
  fkKeine = 0,       // no function
  fkSprung = 1,      // jump to a screen
  fkWert = 2,        // a one-byte value (stored and copied, not compiled)
  fkAusgang = 3,     // output command
  fkEingangEmu = 5,  // input emulation
};

class TDispFunctions {
 public:
  static constexpr int TelegrammSize = 28;

  std::string Text;
  uint8_t Wert = 0;
  uint8_t Funktion = fkKeine;
  uint8_t SprungParameter = 0;
  uint8_t BefehlsArt = 0;
  std::string ZielBildschirm;
  int RecordAddress = -1;
  int DataAddress = -1;
  std::array<uint8_t, TelegrammSize> Telegramm{};  // bytes 1 to 28 at index 0 to 27
  int TelegrammLaenge = 0;
  std::vector<int> Fixups;

  // Telegram byte n, counted from 1.
  uint8_t& Byte(int n) { return Telegramm.at(static_cast<size_t>(n - 1)); }
  uint8_t Byte(int n) const { return Telegramm.at(static_cast<size_t>(n - 1)); }
  // Every field but the fix-up list.
  void Assign(const TDispFunctions& source);

  void ReadData(TReader& reader);
  void WriteData(TWriter& writer) const;
};

class TButtonListe;

class TFunktButton {
 public:
  TFunktButton();
  explicit TFunktButton(std::string name);
  ~TFunktButton();  // leaves the navigation observer
  TFunktButton(const TFunktButton&) = delete;
  TFunktButton& operator=(const TFunktButton&) = delete;

  TDispFunctions Funktion;
  std::unique_ptr<TText> Label1;
  std::unique_ptr<TText> Label2;  // lower row of a two-row label
  std::string Name;               // "F1" to "F4"

  TButtonListe* Owner() const { return fOwner; }
  // 0 to 3 for "F1" to "F4", -1 for any other name.
  int KeyNumber() const;
  // Name, labels and function.
  void Assign(const TFunktButton& source);
  std::unique_ptr<TFunktButton> Clone() const;

  void ReadData(TReader& reader);
  void WriteData(TWriter& writer) const;

 private:
  friend class TButtonListe;
  friend class TNavigationObserver;
  TButtonListe* fOwner = nullptr;
  TNavigationObserver* fNavigation = nullptr;
};

// The function keys of a screen or an object, filed under their names.
class TButtonListe {
 public:
  TButtonListe();
  ~TButtonListe();
  TButtonListe(const TButtonListe&) = delete;
  TButtonListe& operator=(const TButtonListe&) = delete;

  int EineZeile = 1;  // 1: labels in one row; 0: two rows

  size_t Count() const { return fItems.size(); }
  bool Empty() const { return fItems.empty(); }
  TFunktButton& operator[](size_t i) const { return *fItems[i]; }
  TFunktButton* Add(std::unique_ptr<TFunktButton> key);
  TFunktButton* Find(const std::string& name) const;
  int IndexOf(const TFunktButton* key) const;
  // Frees the key; false when it is not in the list.
  bool Remove(const TFunktButton* key);
  void Clear();  // frees the keys, last to first
  // Key mask: bits 0 to 3 for "F1" to "F4" with one row, bits 4 to 7 with two rows.
  uint8_t Mask() const;
  // EineZeile and deep copies of the keys.
  void Assign(const TButtonListe& source);

  void ReadData(TReader& reader);
  void WriteData(TWriter& writer) const;

 private:
  std::vector<std::unique_ptr<TFunktButton>> fItems;
};

// ---------------------------------------------------------------------------------------------
// Screen lists

// Screens filed under a key: top-level screens of a display or sub-screens of an object.
class TBildschirmList {
 public:
  struct Entry {
    std::string Key;
    std::unique_ptr<TBildschirm> Screen;
  };

  TBildschirmList();
  ~TBildschirmList();
  TBildschirmList(const TBildschirmList&) = delete;
  TBildschirmList& operator=(const TBildschirmList&) = delete;

  size_t Count() const { return fItems.size(); }
  bool Empty() const { return fItems.empty(); }
  TBildschirm& operator[](size_t i) const { return *fItems[i].Screen; }
  const std::string& Key(size_t i) const { return fItems[i].Key; }
  TBildschirm* Add(const std::string& key, std::unique_ptr<TBildschirm> screen);
  TBildschirm* Find(const std::string& key) const;
  int IndexOf(const TBildschirm* screen) const;
  // Takes the screen out of the list without freeing it.
  std::unique_ptr<TBildschirm> Extract(const TBildschirm* screen);
  void Clear();  // frees the screens, last to first
  void Assign(const TBildschirmList& source);

  void ReadData(TReader& reader);
  void WriteData(TWriter& writer);  // gives a nameless screen its key as name

 private:
  std::vector<Entry> fItems;
};

// ---------------------------------------------------------------------------------------------
// Screen objects

// Stream tags of the object kinds.
enum class TObjektArt : int { WertVar = 0, ZustandVar = 1, Grafik = 2, Text = 3, Line = 4 };

class TBasis {
 public:
  virtual ~TBasis();
  TBasis(const TBasis&) = delete;
  TBasis& operator=(const TBasis&) = delete;

  virtual TObjektArt Art() const = 0;
  // A new object of the same class with Assign(*this).
  virtual std::unique_ptr<TBasis> Clone() const = 0;
  // Size, position, name, sub-screens and keys (deep copies); not the link.
  virtual void Assign(const TBasis& source);

  int Index = 0;
  std::unique_ptr<TVarVerbindung> Link;  // texts and state variables only
  TBildschirmList Unterbildschirme;
  TButtonListe Buttons;
  std::string Name;
  int RecordAddress = -1;
  int NextAddress = -1;
  int PrevAddress = -1;
  uint8_t Breite = 0;
  uint8_t Hoehe = 0;
  int X = 0;
  int Y = 0;
  std::vector<int> NextFixups;
  std::vector<int> PrevFixups;

  int Spalte() const { return X / 6; }
  int Zeile() const { return Y / 8; }
  bool IsLinked() const { return Link && Link->IsLinked(); }

  // The object's form in the stream, without the tag.
  void ReadData(TReader& reader);
  void WriteData(TWriter& writer);

 protected:
  TBasis() = default;

 private:
  void ReadFields(TReader& reader);
};

class TText : public TBasis {
 public:
  TText();
  TObjektArt Art() const override { return TObjektArt::Text; }
  std::unique_ptr<TBasis> Clone() const override;
  void Assign(const TBasis& source) override;

  uint8_t Laenge = 0;
  std::string Text;
};

class TZustandVar : public TBasis {
 public:
  TZustandVar();
  TObjektArt Art() const override { return TObjektArt::ZustandVar; }
  std::unique_ptr<TBasis> Clone() const override;

  int ZustandIndex = 0;
};

class TGrafik : public TBasis {
 public:
  TObjektArt Art() const override { return TObjektArt::Grafik; }
  std::unique_ptr<TBasis> Clone() const override;
  void Assign(const TBasis& source) override;

  TMonoBitmap Bitmap;
  std::vector<uint8_t> PackedData;
  int PackedCount8 = 0;
  int PackedCount6 = 0;
  int DataPointerPos = -1;

  // Stored form: ceil(W / 8) bytes a row, bit 0 the leftmost pixel.
  void PackBitmap8();
  void UnpackBitmap8();
  // Panel form: ceil(W / 6) bytes a row, bit 5 the leftmost pixel, bits 6 and 7 clear.
  void PackBitmap6();
};

class TLine : public TBasis {
 public:
  TObjektArt Art() const override { return TObjektArt::Line; }
  std::unique_ptr<TBasis> Clone() const override;
};

class TWertVar : public TBasis {
 public:
  TObjektArt Art() const override { return TObjektArt::WertVar; }
  std::unique_ptr<TBasis> Clone() const override;
};

// A new object of the kind of a stream tag, or nothing for an unknown tag.
std::unique_ptr<TBasis> CreateObjekt(TObjektArt art);

// The objects of a screen in drawing order; the keys only label the entries.
class TBildschirmObjekteList {
 public:
  struct Entry {
    std::string Key;
    std::unique_ptr<TBasis> Object;
  };

  TBildschirmObjekteList();
  ~TBildschirmObjekteList();
  TBildschirmObjekteList(const TBildschirmObjekteList&) = delete;
  TBildschirmObjekteList& operator=(const TBildschirmObjekteList&) = delete;

  size_t Count() const { return fItems.size(); }
  bool Empty() const { return fItems.empty(); }
  TBasis& operator[](size_t i) const { return *fItems[i].Object; }
  const std::string& Key(size_t i) const { return fItems[i].Key; }
  TBasis* Add(const std::string& key, std::unique_ptr<TBasis> object);
  int IndexOf(const TBasis* object) const;
  bool Remove(const TBasis* object);  // frees it
  void Clear();                       // frees the objects, last to first
  void Assign(const TBildschirmObjekteList& source);

 private:
  std::vector<Entry> fItems;
};

// ---------------------------------------------------------------------------------------------
// Screens

class TBildschirm {
 public:
  TBildschirm();
  ~TBildschirm();
  TBildschirm(const TBildschirm&) = delete;
  TBildschirm& operator=(const TBildschirm&) = delete;

  TButtonListe DefaultButtons;
  std::string InternalName;
  std::string Name;
  int ScreenAddress = -1;
  TBildschirmObjekteList Objekte;

  // Name, InternalName, ScreenAddress, objects and keys.
  void Assign(const TBildschirm& source);

  void ReadData(TReader& reader);
  void WriteData(TWriter& writer);
};

// References to screens filed under their InternalName; frees no screen.
class TBildschirmNamesToReferences {
 public:
  struct Entry {
    std::string Name;
    TBildschirm* Screen;
  };

  size_t Count() const { return fItems.size(); }
  TBildschirm& operator[](size_t i) const { return *fItems[i].Screen; }
  const std::string& Name(size_t i) const { return fItems[i].Name; }
  // The entry's pointer as filed (not read through).
  const TBildschirm* Reference(size_t i) const { return fItems[i].Screen; }
  void AddReference(const std::string& name, TBildschirm* screen);
  TBildschirm* FindBildschirm(const std::string& name) const;
  bool Contains(const TBildschirm* screen) const;
  void RemoveReference(const TBildschirm* screen);
  void Clear() { fItems.clear(); }

 private:
  std::vector<Entry> fItems;
};

// ---------------------------------------------------------------------------------------------
// State-text pairs

struct TZustand {
  std::string EinText;
  std::string AusText;
  int EinAdresse = 0;
  int AusAdresse = 0;
  // The length of the longer text.
  size_t MaxLength() const { return std::max(EinText.size(), AusText.size()); }
};

class TZustandsListe {
 public:
  // A new list holds one pair: the options' default on- and off-texts ("Ein" / "Aus").
  TZustandsListe();
  TZustandsListe(const std::string& einText, const std::string& ausText);

  std::vector<TZustand> Items;

  size_t Count() const { return Items.size(); }
  TZustand& operator[](size_t i) { return Items[i]; }
  const TZustand& operator[](size_t i) const { return Items[i]; }
  void Add(const std::string& einText, const std::string& ausText);

  void ReadData(TReader& reader);  // replaces every pair
  void WriteData(TWriter& writer) const;
};

// Frees every entry (last to first); kept for callers that free lists by name.
void FreeListAndObjects(TBildschirmList& list);
void FreeListAndObjects(TBildschirmObjekteList& list);
void FreeListAndObjects(TButtonListe& list);

}  // namespace zyn
