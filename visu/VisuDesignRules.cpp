#include "visu/VisuDesignRules.h"

#include <cstdio>

namespace zyn {

std::string PageListCaption(const TVisuProject& project, const TVisuPage& page) {
  if (!page.Name().empty() && page.Name() == project.FirstPage) return "->" + page.DisplayName() + "<-";
  return page.DisplayName();
}

std::string PageNameFromCaption(const TVisuProject& project, const TVisuPage& page, const std::string& caption) {
  if (page.Name().empty() || page.Name() != project.FirstPage) return caption;
  std::string name = caption;
  if (name.rfind("->", 0) == 0) name.erase(0, 2);
  if (name.size() >= 2 && name.compare(name.size() - 2, 2, "<-") == 0) name.erase(name.size() - 2);
  return name;
}

bool SetStartPage(TVisuProject& project, const TVisuPage& page) {
  if (project.FirstPage == page.Name()) return false;
  project.FirstPage = page.Name();
  return true;
}

bool HasStartPage(const TVisuProject& project) {
  if (project.FirstPage.empty()) return false;
  for (int32_t i = 0; i < project.PageCount(); ++i)
    if (project.GetPage(i)->Name() == project.FirstPage) return true;
  return false;
}

std::unique_ptr<TVisuPage> DeleteVisuPage(TVisuProject& project, const TVisuPage* page,
                                          const std::vector<int32_t>& indexes) {
  std::unique_ptr<TVisuPage> removed = project.RemovePage(page);
  if (!removed) return removed;
  if (!project.FirstPage.empty() && project.FirstPage == removed->Name()) {
    TVisuPage* first = project.GetPage(0);
    project.FirstPage = first ? first->Name() : std::string();
  }
  for (int32_t index : indexes) project.IndexHandler.ReleaseIndex(index);
  return removed;
}

std::string VisuBindingName(const std::string& format, int32_t steuermodul, const std::string& modulKennung,
                            int32_t modulAdresse, int32_t kanal, const std::string& suffix,
                            const std::string& kanalName) {
  // The format holds %2.2d, %s, %2.2d, %2.2d and optionally a second %s, in this order.
  std::string out;
  int arg = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') {
      out += format[i];
      continue;
    }
    size_t j = i + 1;
    while (j < format.size() && (format[j] == '.' || (format[j] >= '0' && format[j] <= '9'))) ++j;
    if (j >= format.size()) {
      out += format.substr(i);
      break;
    }
    const char conv = format[j];
    if (conv == '%') {
      out += '%';
    } else if (conv == 's') {
      out += arg == 1 ? modulKennung : suffix;
      ++arg;
    } else if (conv == 'd') {
      const int32_t v = arg == 0 ? steuermodul : arg == 2 ? modulAdresse : kanal;
      char buf[16];
      std::snprintf(buf, sizeof buf, "%02d", static_cast<int>(v));
      out += buf;
      ++arg;
    } else {
      out += format.substr(i, j - i + 1);
    }
    i = j;
  }
  return out + "\r" + kanalName;
}

bool NoteVisuChannel(TXMLDispatcherObjectList& list, int32_t steuermodul, int32_t modul, int32_t kanal, TKanalArt kind,
                     const std::string& internalName, const std::string& kanalName, bool overwrite) {
  const int32_t at = list.IndexOfInternalName(internalName);
  if (at >= 0 && !overwrite) return false;
  TXMLDispatcherObject entry;
  entry.Steuermodul = steuermodul;
  entry.Modul = modul;
  entry.Kanal = kanal;
  entry.KanalArt = static_cast<int32_t>(kind);
  entry.InternalName = internalName;
  entry.KanalName = kanalName;
  if (at >= 0) {
    if (list.Item(at) == entry) return false;
    list.Item(at) = entry;
    return true;
  }
  list.Add(std::make_unique<TXMLDispatcherObject>(entry));
  return true;
}

std::string NewVisuPageName(const std::string& uniqueName) {
  std::string name = "Page";
  for (char c : uniqueName) {
    const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    name += ok ? c : '_';
  }
  return name;
}

}  // namespace zyn
