#pragma once
// The navigation observer of a display: for every screen the function keys whose function
// jumps to it.

#include <string>
#include <vector>

namespace zyn {

class TBildschirm;
class TFunktButton;

struct TNavObjekt {
  std::string Name;                 // the screen's InternalName
  std::vector<TFunktButton*> Keys;  // keys jumping to it (a key may appear more than once)
};

class TNavigationObserver {
 public:
  TNavigationObserver() = default;
  ~TNavigationObserver();  // detaches every key
  TNavigationObserver(const TNavigationObserver&) = delete;
  TNavigationObserver& operator=(const TNavigationObserver&) = delete;

  size_t Count() const { return fEntries.size(); }
  const TNavObjekt& operator[](size_t i) const { return fEntries[i]; }
  const TNavObjekt* Find(const std::string& name) const;

  void AddScreenEntry(const std::string& name);
  void RemoveScreenEntry(const std::string& name);
  void AddJump(const std::string& name, TFunktButton* key);
  void RemoveJump(const std::string& name, TFunktButton* key);
  // Unregisters the jump keys of the screen and of everything on it, sub-screens included.
  void RemoveScreenJumps(TBildschirm& screen);
  bool IsReferenced(const std::string& name) const;
  // Removes every registered key that jumps to the screen from its key list and frees it.
  void DeleteJumpsTo(const std::string& name);
  void Clear();

  // Drops the key from every entry; called when a key is freed.
  void ForgetKey(TFunktButton* key);

 private:
  TNavObjekt* FindEntry(const std::string& name);
  bool HoldsKey(const TFunktButton* key) const;
  std::vector<TNavObjekt> fEntries;
};

}  // namespace zyn
