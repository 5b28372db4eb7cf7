#pragma once
// Component bases of the look-and-feel layer and the bar windows: a persistent object that knows
// its owner, a component that clears the weak links to itself when it goes and shows up to three
// linked components in the form designer, and a component that belongs to a control. The library's
// resource strings pass one replacement table, and the library's fourteen cursors live in the
// screen's cursor table under fixed numbers.

#include <QCursor>

#include <string>
#include <vector>

namespace zyn {

// A persistent object with an owner (not owned); the owner query answers it.
class TzxInterfacedPersistent {
 public:
  explicit TzxInterfacedPersistent(void* owner = nullptr) : fOwner(owner) {}
  virtual ~TzxInterfacedPersistent() = default;
  TzxInterfacedPersistent(const TzxInterfacedPersistent&) = delete;
  TzxInterfacedPersistent& operator=(const TzxInterfacedPersistent&) = delete;
  void* Owner() const { return fOwner; }

 private:
  void* fOwner;
};

class TzxComponent {
 public:
  explicit TzxComponent(TzxComponent* owner = nullptr) : fOwner(owner) {}
  // Clears every weak link to this component (AddObjectLink) before it goes.
  virtual ~TzxComponent();
  TzxComponent(const TzxComponent&) = delete;
  TzxComponent& operator=(const TzxComponent&) = delete;

  TzxComponent* Owner() const { return fOwner; }
  // Whether the component is edited in the form designer.
  bool Designing() const { return fDesigning; }
  void SetDesigning(bool value) { fDesigning = value; }
  bool Destroying() const { return fDestroying; }
  // The form has been read: the designer's links are refreshed.
  virtual void Loaded() { RefreshFakeLinks(); }

  // Links the form designer shows under the component (the first three of CollectFakeLinks).
  TzxComponent* FakeComponentLink1 = nullptr;
  TzxComponent* FakeComponentLink2 = nullptr;
  TzxComponent* FakeComponentLink3 = nullptr;

 protected:
  // The components to show as links; none here.
  virtual void CollectFakeLinks(std::vector<TzxComponent*>& list) {}
  // Only in the designer, not while destroying and only with an owner.
  void RefreshFakeLinks();
  // Derived destructors call it first, so that their own clean-up sees the destroying state.
  void BeginDestroying() { fDestroying = true; }

 private:
  TzxComponent* fOwner;
  bool fDesigning = false;
  bool fDestroying = false;
};

class TzxControlChildComponent;

// A control that holds child components: it adds them when they take it as their parent and drops
// them when they go.
class IzxChildComponentHost {
 public:
  virtual ~IzxChildComponentHost() = default;
  virtual void AddChildComponent(TzxControlChildComponent& child) = 0;
  virtual void RemoveChildComponent(TzxControlChildComponent& child) = 0;
};

class TzxControlChildComponent : public TzxComponent {
 public:
  using TzxComponent::TzxComponent;
  // Asks its control to drop it.
  ~TzxControlChildComponent() override;
  IzxChildComponentHost* Control() const { return fControl; }
  virtual bool IsDestroying() const { return Destroying(); }
  // Only stores the control (the control calls it when it adds or drops the component).
  virtual void SetControl(IzxChildComponentHost* value) { fControl = value; }
  // The parent component is the control; setting one asks that control to add the component.
  IzxChildComponentHost* GetParentComponent() const { return fControl; }
  bool HasParent() const { return fControl != nullptr; }
  void SetParentComponent(IzxChildComponentHost* value);

 private:
  IzxChildComponentHost* fControl = nullptr;
};

// A resource string of the library: the replacement of the text when replacement lists are
// installed and name it, else the text itself (Windows-1252).
std::string LoadLibraryString(const char* resourceString);
// Installs the two lists (source texts, their replacements at the same index); two empty lists
// take them away. Lists of different lengths are refused (false).
bool SetLibraryStringReplacements(std::vector<std::string> sources, std::vector<std::string> replacements);

// The library's cursors in the screen's cursor table.
enum TzxCursor {
  crzxDragCopy = 2100,
  crzxFullScroll = 2101,
  crzxHorScroll = 2102,
  crzxVerScroll = 2103,
  crzxUpScroll = 2104,
  crzxRightScroll = 2105,
  crzxDownScroll = 2106,
  crzxLeftScroll = 2107,
  crzxRemove = 2108,
  crzxVertSize = 2109,
  crzxHorzSize = 2110,
  crzxMultiDrag = 2111,
  crzxNoDrop = 2112,
  crzxDrag = 2113
};
constexpr int crzxFirst = crzxDragCopy, crzxLast = crzxDrag;
// The resource name of a library cursor ("CX_DRAGCOPYCURSOR" ...), empty for other numbers.
const char* LibraryCursorName(int cursor);

// The screen's cursor table: numbered cursors registered by the units of the library.
void RegisterScreenCursor(int number, const QCursor& cursor);
void UnregisterScreenCursor(int number);
bool ScreenCursorRegistered(int number);
// The registered cursor of the number; the arrow for an unknown number.
QCursor ScreenCursor(int number);

// Start and end of the controls unit: registers and removes the fourteen cursors (the start runs
// once; later calls do nothing until the end).
void InitializeControlsUnit();
void FinalizeControlsUnit();

}  // namespace zyn
