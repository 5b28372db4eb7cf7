#pragma once
// The binding of display objects to the installation model: an observer of bus modules that
// hands a module's new address and its deletion on to the display observer, and the filling of
// a display link from a channel.

#include "model/Observer.h"

#include <cstdint>
#include <string>

namespace zyn {

class TDisplayObserver;
class TKanal;
class TModul;
class TVarVerbindung;

class TDisplayModulObserver : public TCustomObserver {
 public:
  // Without an observer of its own it serves GDisplayObserver (when there is one).
  explicit TDisplayModulObserver(TDisplayObserver* displayObserver = nullptr) : fDisplayObserver(displayObserver) {}

  // A module got a new address: the linked display objects follow it.
  void ClientValueChanged(TBaseObject* sender, int32_t oldValue, int32_t newValue) override;
  // A module was deleted: the linked display objects lose their link and bus keys.
  void ClientDeleted(TBaseObject* sender) override;

 private:
  TDisplayObserver* Target() const;
  TDisplayObserver* fDisplayObserver;
};

// Fills a display link from a channel of a module of the control module with the given address
// and internal name: an input gives otEingang, an output otAusgang, any other channel
// otUnknown. The link is filed in the display observer (or GDisplayObserver) under the module.
void FillLinkFromChannel(TVarVerbindung& link, const TKanal& channel, const TModul& module, int stmAdresse,
                         const std::string& stmInternalName, TDisplayObserver* observer = nullptr);

}  // namespace zyn
