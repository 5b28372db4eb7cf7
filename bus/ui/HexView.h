#pragma once
// A read-only hexadecimal view of a byte block: one row of 16 bytes per line with the module
// address, the bytes and their characters. The listing page loads the 32 KB program area into it.

#include <QAbstractScrollArea>

#include <cstdint>
#include <vector>

namespace zyn {

class THexView : public QAbstractScrollArea {
  Q_OBJECT
 public:
  explicit THexView(QWidget* parent = nullptr);

  static constexpr int BytesPerRow = 16;

  // The bytes and the address of the first one.
  void SetData(const std::vector<uint8_t>& bytes, uint32_t baseAddress);
  void Clear();
  const std::vector<uint8_t>& Data() const { return fData; }
  uint32_t BaseAddress() const { return fBase; }
  int RowCount() const;
  // The text of one row: "4000  00 01 ... 0F  ................".
  QString RowText(int row) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void UpdateScrollBar();
  int LineHeight() const;

  std::vector<uint8_t> fData;
  uint32_t fBase = 0;
};

}  // namespace zyn
