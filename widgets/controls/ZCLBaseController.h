#pragma once
// Controllers that tell registered change links when they change.

#include "widgets/controls/ZCLObject.h"

#include <vector>

namespace zyn {

class TZCLBaseController;

class TZCLChangeLink {
 public:
  TZCLChangeLink() = default;
  ~TZCLChangeLink();
  TZCLChangeLink(const TZCLChangeLink&) = delete;
  TZCLChangeLink& operator=(const TZCLChangeLink&) = delete;
  TZCLNotifyEvent OnChange;
  TZCLBaseController* Sender() const { return fSender; }

 private:
  friend class TZCLBaseController;
  TZCLBaseController* fSender = nullptr;
};

class TZCLBaseController : public TZCLCustomComponent {
  Q_OBJECT
 public:
  explicit TZCLBaseController(QObject* owner = nullptr) : TZCLCustomComponent(owner) {}
  ~TZCLBaseController() override;
  void RegisterLink(TZCLChangeLink* link);
  void UnregisterLink(TZCLChangeLink* link);
  int LinkCount() const { return static_cast<int>(fLinks.size()); }
  // OnChange, then every link's OnChange; nothing while locked or loading.
  void Changed() override;

 private:
  bool locked() const;
  std::vector<TZCLChangeLink*> fLinks;
  bool fChanging = false;
};

}  // namespace zyn
