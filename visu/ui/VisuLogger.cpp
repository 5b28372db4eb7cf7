#include "visu/ui/VisuLogger.h"

#include "model/base/ProgramPaths.h"
#include "model/base/XMLIniFile.h"
#include "platform/QtText.h"

#include <QCoreApplication>

namespace zyn {

namespace {
std::string& FolderOverride() {
  static std::string folder;
  return folder;
}
const TDesignPolicy kLoggerPolicy{.mouseAlways = true};
}  // namespace

std::string VisuProgramFolder() {
  if (!FolderOverride().empty()) return FolderOverride();
  return IncludeTrailingPathDelimiter(FromQString(QCoreApplication::applicationDirPath()));
}

void SetVisuProgramFolder(const std::string& folder) { FolderOverride() = IncludeTrailingPathDelimiter(folder); }

TVisuLogger::TVisuLogger(QWidget* parent)
    : QListWidget(parent), TVisuComponent(this), TVisuDesignerBase(*this, kLoggerPolicy) {
  resize(240, 120);
  ApplyLook();
}

void TVisuLogger::ApplyLook() {
  QPalette pal = palette();
  pal.setColor(QPalette::Base, VisuColor(Color));
  pal.setColor(QPalette::Text, VisuColor(Font.Color));
  setPalette(pal);
  setFont(VisuQFont(Font));
  setFocusPolicy(TabStop ? Qt::StrongFocus : Qt::ClickFocus);
}

std::string TVisuLogger::HistoryFile() const {
  // The name's last extension goes; the section keeps the whole name.
  std::string name = LoggerData.Ident;
  const size_t dot = name.rfind('.');
  if (dot != std::string::npos && name.find('/', dot) == std::string::npos) name.resize(dot);
  return VisuProgramFolder() + name + ".xml";
}

std::vector<std::string> TVisuLogger::Lines() const {
  std::vector<std::string> lines;
  for (int i = 0; i < count(); ++i) lines.push_back(FromQString(item(i)->text()));
  return lines;
}

void TVisuLogger::LoadHistory() {
  if (!Saves()) return;
  TXMLIniFile ini(HistoryFile());
  const int32_t n = ini.ReadInteger(LoggerData.Ident, "Count", 0);
  // The history replaces what is shown, so asking twice does not show every line twice.
  clear();
  for (int32_t k = 1; k <= n; ++k) insertItem(0, ToQString(ini.ReadString(LoggerData.Ident, std::to_string(k), "")));
}

void TVisuLogger::GetBinding(int32_t& s, int32_t& m, int32_t& k, TKanalArt& kind, std::string& name) {
  s = VisuData.Steuermodul, m = VisuData.Modul, k = VisuData.Kanal, kind = VisuData.KanalArt, name = VisuData.Hint;
  if (!Reading()) LoadHistory();
}

void TVisuLogger::SetBinding(int32_t s, int32_t m, int32_t k, TKanalArt kind, const std::string&) {
  VisuData.Steuermodul = s, VisuData.Modul = m, VisuData.Kanal = k, VisuData.KanalArt = kind;
}

TVisuState TVisuLogger::GetStatus(int32_t s, int32_t m, int32_t k, TKanalArt kind) {
  const bool bound =
      s == VisuData.Steuermodul && m == VisuData.Modul && k == VisuData.Kanal && kind == VisuData.KanalArt;
  return bound ? VisuData.Status() : TVisuState::vsUnknown;
}

void TVisuLogger::SetStatus(int32_t s, int32_t m, int32_t k, TKanalArt kind, TVisuState state) {
  const bool bound =
      s == VisuData.Steuermodul && m == VisuData.Modul && k == VisuData.Kanal && kind == VisuData.KanalArt;
  if (!bound || state == VisuData.Status()) return;
  VisuData.SetStatus(state);
  std::string line;
  if (state == TVisuState::vsOff)
    line = LoggerData.FormatOffLine(s, m, k);
  else if (state == TVisuState::vsOn)
    line = LoggerData.FormatOnLine(s, m, k);
  insertItem(0, ToQString(line));
  setCurrentRow(0);
  if (!Saves()) return;
  TXMLIniFile ini(HistoryFile());
  const int32_t c = ini.ReadInteger(LoggerData.Ident, "Count", 0);
  ini.WriteString(LoggerData.Ident, std::to_string(c + 1), line);
  ini.WriteInteger(LoggerData.Ident, "Count", c + 1);
  ini.UpdateFile();
}

bool TVisuLogger::ReadProperty(std::string_view name, const TFilerValue& v) {
  if (StartsWith(name, "Font.")) {
    const bool known = Font.ReadProperty(name.substr(5), v);
    ApplyLook();
    return known;
  }
  if (StartsWith(name, "LoggerData.")) return LoggerData.ReadProperty(name.substr(11), v);
  if (StartsWith(name, "VisuData.")) return VisuData.ReadProperty(name.substr(9), v);
  if (name == "Color")
    Color = ReadColorValue(v);
  else if (name == "TabStop")
    TabStop = v.AsBoolean();
  else
    return TVisuComponent::ReadProperty(name, v);
  ApplyLook();
  return true;
}

void TVisuLogger::WriteProperties(std::vector<TPropertyRecord>& out) const {
  PutColor(out, "Color", Color);
  Font.WriteProperties("Font.", out);
  LoggerData.WriteProperties("LoggerData.", out);
  PutBool(out, "TabStop", TabStop);
  VisuData.WriteProperties("VisuData.", out);
}

}  // namespace zyn
