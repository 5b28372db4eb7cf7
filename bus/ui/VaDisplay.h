#pragma once
// The traffic display control of the bus link: lamps "RX", "TX" and "Fehler" that light while
// bytes go over the line or line errors come, the bytes counted, and "Verbindung getrennt" once
// the line went away. It reads the counts of its TVaTraffic, which the port fills from its own
// threads, on a timer of the user-interface thread. No page attaches one by default; Attach puts
// it on a link.

#include "bus/VaComm.h"

#include <QWidget>

#include <cstdint>
#include <memory>

class QLabel;
class QTimer;

namespace zyn {

class TZYNComm;

class TVaDisplay : public QWidget {
  Q_OBJECT
 public:
  explicit TVaDisplay(QWidget* parent = nullptr);

  // The link's port tells this display about its traffic from now on.
  void Attach(TZYNComm& comm);
  const std::shared_ptr<TVaTraffic>& Traffic() const { return fTraffic; }

  // Reads the counts: a lamp is lit when its count grew since the last update.
  void Update();
  static bool Lit(const QLabel* lamp);

  QLabel* RxLamp = nullptr;
  QLabel* TxLamp = nullptr;
  QLabel* ErrorLamp = nullptr;
  QLabel* Counts = nullptr;
  QTimer* Timer = nullptr;  // calls Update every 100 ms

 private:
  std::shared_ptr<TVaTraffic> fTraffic = std::make_shared<TVaTraffic>();
  uint64_t fReceived = 0, fSent = 0, fErrors = 0;
};

}  // namespace zyn
