#pragma once
// The interfaces through which the controls of a visualisation page speak to the page, the page
// designer and the run time. A control answers for an interface by deriving from it; the page
// asks with dynamic_cast. Lifetime belongs to the page that owns the controls. The two binding
// interfaces that the compiler reads as well, IDispatchConnector and IIndexTeleHandler, are
// declared in visu/VisuLinks.h.

#include "visu/VisuDataClasses.h"
#include "visu/VisuLinks.h"
#include "visu/VisuTypes.h"

#include <QObject>

#include <functional>
#include <string>

class QWidget;
class QMouseEvent;
class QDragMoveEvent;
class QDropEvent;

namespace zyn {

// The designer's handlers. Mouse positions are in the coordinates of the control (sender).
using TVisuMouseEvent = std::function<void(QWidget* sender, QMouseEvent* event)>;
// Answers whether the dragged object is accepted over the sender.
using TVisuDragOverEvent = std::function<bool(QWidget* sender, QDragMoveEvent* event)>;
using TVisuDragDropEvent = std::function<void(QWidget* sender, QDropEvent* event)>;
using TTelegramEvent = std::function<void(QObject* sender, TTeleType type, int32_t steuermodul, int32_t modul,
                                          int32_t value, int32_t parameter)>;
using TNavigateEvent = std::function<void(QObject* sender, const std::string& target)>;

class IVisuDesigner {
 public:
  virtual ~IVisuDesigner() = default;
  virtual void SetDesignFocus(bool on) = 0;
  virtual void SetDesigning(bool on) = 0;
  virtual void SetDragDropHandler(TVisuDragOverEvent over, TVisuDragDropEvent drop) = 0;
  virtual void SetMouseHandler(TVisuMouseEvent down, TVisuMouseEvent up, TVisuMouseEvent move) = 0;
  virtual void SetVisuParent(QWidget* parent) = 0;
  virtual void SetPosition(int x, int y) = 0;
};

class IVisuStatus {
 public:
  virtual ~IVisuStatus() = default;
  virtual TVisuState GetStatus(int32_t steuermodul, int32_t modul, int32_t kanal, TKanalArt kind) = 0;
  virtual void SetStatus(int32_t steuermodul, int32_t modul, int32_t kanal, TKanalArt kind, TVisuState state) = 0;
};

class ITeleHandler {
 public:
  virtual ~ITeleHandler() = default;
  virtual void EmitTelegram(TTeleType type, int32_t steuermodul, int32_t modul, int32_t value, int32_t parameter) = 0;
  virtual void SetTelegram(TTeleType type, int32_t steuermodul, int32_t modul, int32_t kanal, int32_t befehl,
                           int32_t shift, int32_t parameter) = 0;
  virtual void GetTelegram(TTeleType& type, int32_t& steuermodul, int32_t& modul, int32_t& kanal, int32_t& befehl,
                           int32_t& shift, int32_t& parameter) = 0;
  virtual void SetTelegramHandler(TTelegramEvent handler) = 0;
};

class INavigator {
 public:
  virtual ~INavigator() = default;
  virtual std::string GetTarget() = 0;
  virtual void SetEvent(TNavigateEvent handler) = 0;
  virtual void SetNavEnabled(bool on) = 0;
  virtual void SetTarget(const std::string& target) = 0;
};

class ITranslator {
 public:
  virtual ~ITranslator() = default;
  virtual std::string GetText(int i) = 0;
  virtual int GetTextCount() = 0;
  virtual void SetText(int i, const std::string& text) = 0;
};

class IVisuCounter {
 public:
  virtual ~IVisuCounter() = default;
  virtual int32_t GetCount() = 0;
  virtual void SetCount(int32_t count) = 0;
  virtual void Tick() = 0;
};

class IVisuSummary {
 public:
  virtual ~IVisuSummary() = default;
  virtual int GetChannelCount() = 0;
  virtual void GetChannel(int i, int32_t& steuermodul, int32_t& modul, int32_t& kanal, TKanalArt& kind,
                          std::string& name) = 0;
  virtual void AddChannel(int32_t steuermodul, int32_t modul, int32_t kanal, TKanalArt kind,
                          const std::string& name) = 0;
};

// The control modules a run time knows: how many it reports and their numbers.
using TSTMInfoEvent = std::function<void(QObject* sender, int& count, std::vector<int32_t>& numbers)>;
using TSTMAllEvent = std::function<void(QObject* sender)>;
using TSTMOneEvent = std::function<void(QObject* sender, int32_t number)>;

class ISTMInfo {
 public:
  virtual ~ISTMInfo() = default;
  virtual void GetAvailableSTMs(QObject* sender, int& count, std::vector<int32_t>& numbers) = 0;
  virtual void GetConnectedSTMs(QObject* sender, int& count, std::vector<int32_t>& numbers) = 0;
  virtual void GetUsedSTMs(QObject* sender, int& count, std::vector<int32_t>& numbers) = 0;
  virtual void SetSTMInfoEvents(TSTMInfoEvent available, TSTMInfoEvent connected, TSTMInfoEvent used) = 0;
};

class ISTMConnector {
 public:
  virtual ~ISTMConnector() = default;
  virtual void ConnectAllStm(QObject* sender) = 0;
  virtual void ConnectStm(QObject* sender, int32_t number) = 0;
  virtual void DisconnectAllStm(QObject* sender) = 0;
  virtual void DisconnectStm(QObject* sender, int32_t number) = 0;
  virtual void SetSTMConnectEvents(TSTMAllEvent connectAll, TSTMAllEvent disconnectAll, TSTMOneEvent connect,
                                   TSTMOneEvent disconnect) = 0;
};

// The run time's keeper of the logged-in user.
class IUserManager {
 public:
  virtual ~IUserManager() = default;
  virtual int32_t GetCurrentUserLevel() = 0;
  virtual void SetCurrentUser(const std::string& userName, int32_t level) = 0;
};

class IUserLogin {
 public:
  virtual ~IUserLogin() = default;
  virtual void SetUserManager(IUserManager* manager) = 0;
};

// The run time's main window may offer this; the exit button ends the programme through it.
class IApplicationExit {
 public:
  virtual ~IApplicationExit() = default;
  virtual void ExitApplication() = 0;
};

}  // namespace zyn
