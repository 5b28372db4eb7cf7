#pragma once
// The recent-files list item: a list item that keeps at most `MaxItemCount` entries (file names as
// a rule), shows each as a numbered button whose text is the path shortened to 300 pixels with an
// ellipsis in place of its middle directories, and may remove a clicked entry.

#include "widgets/bars/BarListItem.h"

#include <QFont>

#include <functional>

namespace zyn {

class TzbBarMRUListItem : public TzbBarListItem {
 public:
  static constexpr const char* kClassName = "TzbBarMRUListItem";
  explicit TzbBarMRUListItem(TzbBarManager& manager) : TzbBarListItem(manager) {}
  const char* ClassName() const override { return kClassName; }
  bool InheritsFrom(const char* className) const override;

  int MaxItemCount() const { return fMaxItemCount; }
  void SetMaxItemCount(int value);
  bool RemoveItemOnClick = false;
  void TrimItems();
  // Removes the first entry equal to text (ignoring case); nothing for an empty text.
  void RemoveItem(const std::string& text);
  std::string GetDisplayText(const std::string& entry) const override;
  void DirectClick() override;

 private:
  int fMaxItemCount = 5;
};

// The text shortened to the pixel width with an ellipsis in place of the middle of the path; the
// last path component is kept. Any length; the text is measured in the given font.
std::string ShortenMRUText(const std::string& text, int width = 300, const QFont& font = QFont());

}  // namespace zyn
