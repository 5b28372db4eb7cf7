#pragma once
// A list box whose horizontal scroll range follows its widest item (plus 25 pixels).

#include <QListWidget>

namespace zyn {

class TScrollingListBox : public QListWidget {
  Q_OBJECT
 public:
  explicit TScrollingListBox(QWidget* parent = nullptr);

  virtual int AddItem(const QString& text, void* object = nullptr);
  virtual void InsertItem(int index, const QString& text, void* object = nullptr);
  virtual void DeleteItem(int index);
  virtual void Clear();
  void* Object(int index) const;
  int Count() const { return count(); }
  // The horizontal scroll range in pixels (0 for an empty list).
  int HorizontalExtent() const { return fMaxWidth > 0 ? fMaxWidth + 25 : 0; }

 private:
  void Measure(const QString& text);
  void ApplyExtent();
  int fMaxWidth = 0;
};

}  // namespace zyn
