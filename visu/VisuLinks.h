#pragma once
// The two interfaces through which a visualisation control tells what it is bound to, and the
// source that hands the controls of every page to the compile driver. The controls on a page
// implement the interfaces; so do the controls of a page kept only as its component record.
// The compiler creates a link (operation 41) for every telegram index of an index control and
// flags every output that a channel control shows, so that the control module reports it.

#include "visu/VisuDataClasses.h"
#include "visu/VisuTypes.h"

#include <cstdint>
#include <functional>
#include <string>

namespace zyn {

// A control bound to one channel.
class IDispatchConnector {
 public:
  virtual ~IDispatchConnector() = default;
  // Control module (-1: unbound), module byte, channel, kind, and the text naming the channel.
  virtual void GetBinding(int32_t& steuermodul, int32_t& modul, int32_t& kanal, TKanalArt& kind, std::string& name) = 0;
  virtual void SetBinding(int32_t steuermodul, int32_t modul, int32_t kanal, TKanalArt kind,
                          const std::string& name) = 0;
};

// A control driven by index telegrams. Index i of 0 .. GetIndexCount() - 1: its telegram number
// (GetIndex), the event of the bound object that sends it (GetCommand, -1 for none) with its name,
// and the object (control module, module byte, channel, shift, kind).
class IIndexTeleHandler {
 public:
  virtual ~IIndexTeleHandler() = default;
  virtual int32_t GetCommand(int i) = 0;
  virtual std::string GetCommandName(int i) = 0;
  virtual int32_t GetIndex(int i) = 0;
  virtual int32_t GetIndexCount() = 0;
  virtual void GetIndexBinding(int i, int32_t& steuermodul, int32_t& modul, int32_t& kanal, int32_t& shift,
                               TKanalArt& kind) = 0;
  virtual TIndexInfo* GetIndexInfo(int i) = 0;
  virtual void HandleIndex(int32_t index) = 0;
  virtual bool IsKindAllowed(int i, TKanalArt kind) = 0;
  virtual void SetCommand(int i, int32_t command, const std::string& name) = 0;
  virtual void SetIndex(int i, int32_t index) = 0;
  virtual void SetIndexBinding(int i, int32_t steuermodul, int32_t modul, int32_t kanal, int32_t shift,
                               TKanalArt kind) = 0;
};

using TIndexTeleVisitor = std::function<void(IIndexTeleHandler&)>;
using TDispatchVisitor = std::function<void(IDispatchConnector&)>;

// The controls of every visualisation page, in page order and, on a page, in control order. A
// control handed to a visitor is valid for that call only.
class IVisuLinkSource {
 public:
  virtual ~IVisuLinkSource() = default;
  virtual void VisitLinkControls(const TIndexTeleVisitor& index, const TDispatchVisitor& channel) const = 0;
};

}  // namespace zyn
