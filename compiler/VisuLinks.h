#pragma once
// The visualisation controls as the compiler sees them: controls driven by index telegrams, for
// which the compiler creates links, and controls bound to one channel, whose outputs the control
// module has to report. The visualisation pages provide them.

#include <string>
#include <vector>

namespace zyn {

// Kinds of the object an index telegram is bound to.
constexpr int kVisuObjEingang = 1;
constexpr int kVisuObjRueckmeldung = 3;
constexpr int kVisuObjUhr = 4;
constexpr int kVisuObjMerker = 5;
// Kind of a channel binding that shows an output's state.
constexpr int kVisuKindAusgang = 2;

struct TIndexBinding {
  int Steuermodul = 0;   // control-module address
  int ModulKey = 0;      // base class x 32 + module address
  int ObjektNummer = 0;  // channel, clock or flag number
  int Reserved = 0;
  int ObjektArt = 0;  // kVisuObj...
};

// A control driven by index telegrams.
class IIndexTeleHandler {
 public:
  virtual ~IIndexTeleHandler() = default;
  virtual int IndexCount() const = 0;
  virtual TIndexBinding IndexBinding(int index) const = 0;
  // The event the control reacts to (the link's source command).
  virtual int EventNumber(int index) const = 0;
  // A text for the index (the link's source command text).
  virtual std::string IndexText(int index) const = 0;
  virtual int TelegramNumber(int index) const = 0;
};

struct TDispatchBinding {
  int Steuermodul = 0;
  int ModulKey = 0;
  int Kanal = 0;
  int Art = 0;  // kVisuKindAusgang for an output whose state the control shows
  std::string Text;
};

// A control bound to one channel.
class IDispatchConnector {
 public:
  virtual ~IDispatchConnector() = default;
  virtual TDispatchBinding Binding() const = 0;
};

// The controls of every visualisation page, in page order.
class IVisuLinkSource {
 public:
  virtual ~IVisuLinkSource() = default;
  virtual std::vector<const IIndexTeleHandler*> IndexTeleHandlers() const = 0;
  virtual std::vector<const IDispatchConnector*> DispatchConnectors() const = 0;
};

}  // namespace zyn
