#pragma once
// The channel logger: a list on a page that writes one line, newest on top, whenever the state of
// its bound channel changes, and can keep its lines in a history file beside the run time.

#include "visu/ui/VisuDesigner.h"

#include <QListWidget>

namespace zyn {

// The folder of the running programme with a trailing "/": where the run time keeps the user file
// and the loggers their history. The programme's own folder unless set (tests set a temporary one).
std::string VisuProgramFolder();
void SetVisuProgramFolder(const std::string& folder);

class TVisuLogger : public QListWidget,
                    public TVisuComponent,
                    public TVisuDesignerBase,
                    public IVisuStatus,
                    public IDispatchConnector,
                    public IVisuInvalidate {
 public:
  explicit TVisuLogger(QWidget* parent = nullptr);
  ZYN_VISU_CLASS(TVisuLogger)

  int32_t Color = TVisuColors::clInfoBk;
  TVisuFont Font;
  TLoggerData LoggerData{this};
  TVisuData VisuData{this, TKanalArt::kaAusgang};
  bool TabStop = true;

  // The history file: LoggerData.Ident with the extension ".xml" in VisuProgramFolder().
  std::string HistoryFile() const;
  // The lines shown, top first.
  std::vector<std::string> Lines() const;

  // Also (re)loads the history, unless the logger is being read from a page.
  void GetBinding(int32_t& steuermodul, int32_t& modul, int32_t& kanal, TKanalArt& kind, std::string& name) override;
  void SetBinding(int32_t steuermodul, int32_t modul, int32_t kanal, TKanalArt kind, const std::string& name) override;
  TVisuState GetStatus(int32_t steuermodul, int32_t modul, int32_t kanal, TKanalArt kind) override;
  // Logs a change of the bound channel's state (and stores the line with Save set).
  void SetStatus(int32_t steuermodul, int32_t modul, int32_t kanal, TKanalArt kind, TVisuState state) override;
  void Invalidate() override { viewport()->update(); }

 protected:
  bool ReadProperty(std::string_view name, const TFilerValue& value) override;
  void WriteProperties(std::vector<TPropertyRecord>& out) const override;
  void ApplyLook();

 private:
  bool Saves() const { return LoggerData.Save && !LoggerData.Ident.empty(); }
  void LoadHistory();
};

}  // namespace zyn
