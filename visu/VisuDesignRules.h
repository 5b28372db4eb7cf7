#pragma once
// The rules of the page designer that do not depend on the screen: captions of the page list,
// the start page, removing a page, the names of bindings and the entries of the channel list.

#include "visu/VisuProject.h"
#include "visu/VisuTypes.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zyn {

// The caption of a page in the designer's page list: "->" + DisplayName + "<-" for the start
// page, else the plain display name.
std::string PageListCaption(const TVisuProject& project, const TVisuPage& page);

// The display name from a caption edited in the page list: the start page's marks "->" and "<-"
// are taken off again when the caption still has them.
std::string PageNameFromCaption(const TVisuProject& project, const TVisuPage& page, const std::string& caption);

// Makes the page the start page; true when FirstPage changed.
bool SetStartPage(TVisuProject& project, const TVisuPage& page);

// Whether the start page names a page of the project (the run time opens it first).
bool HasStartPage(const TVisuProject& project);

// Takes the page out of the project and hands it back (nothing when it is not there). When it
// was the start page, the first page left becomes the start page ("" when none is left); the
// index numbers its controls held are given back to the project's allocator.
std::unique_ptr<TVisuPage> DeleteVisuPage(TVisuProject& project, const TVisuPage* page,
                                          const std::vector<int32_t>& indexes);

// The name a bound control carries: format (already translated) with the control-module
// address, the module code, the module address, the channel address and a suffix, then CR and
// the channel's display name.
std::string VisuBindingName(const std::string& format, int32_t steuermodul, const std::string& modulKennung,
                            int32_t modulAdresse, int32_t kanal, const std::string& suffix,
                            const std::string& kanalName);

// Notes a bound channel in the channel list: a new entry when none has the internal name; an
// existing one is overwritten only when asked. True when the list changed.
bool NoteVisuChannel(TXMLDispatcherObjectList& list, int32_t steuermodul, int32_t modul, int32_t kanal, TKanalArt kind,
                     const std::string& internalName, const std::string& kanalName, bool overwrite);

// The component name of a new page: "Page" followed by the unique name (characters that a
// component name cannot hold become "_").
std::string NewVisuPageName(const std::string& uniqueName);

// The navigation target of a page: its component name with the extension ".vpg".
inline std::string VisuPageTarget(const TVisuPage& page) { return page.Name() + ".vpg"; }

}  // namespace zyn
