#pragma once
// The tests of outputs and inputs of bus modules: switching outputs with the telegram of the
// module's base class, reading the output states into the channels' ServiceState, and polling
// a module's inputs with a log of every edge. The link is open and addressed to the control
// module; everything runs on the user-interface thread.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zyn {

class TAusgang;
class TModul;
class TZYNComm;

// The bytes of the switching telegram of one output (command and data, without the address
// bytes); empty when no switching code is defined for the module's base class (YXA boxes,
// blinds class, special modules). lower: the blind-motor direction "senken".
std::vector<uint8_t> SwitchTelegram(const TModul& modul, const TAusgang& output, bool lower);

// The state word of the module's outputs: with send a new state request, else the last answer
// received; every output's ServiceState := bit Adresse of the word. Returns the word, or -1 when
// there is no valid answer (all outputs are then shown off).
int RefreshOutputStates(TZYNComm& comm, TModul& modul, bool send);

struct TSwitchResult {
  int Sent = 0;         // telegrams sent
  int Confirmed = 0;    // of them answered by the module with its state
  bool NoCode = false;  // the base class has no switching code: nothing sent
  int StateWord = -1;   // the state word of the answer to the last telegram, -1 none
};

// One telegram per output in the given order; a blind-motor module's direction is inverted
// afterwards; then the outputs' ServiceState from the answer to the last telegram.
TSwitchResult SwitchOutputs(TZYNComm& comm, TModul& modul, const std::vector<TAusgang*>& outputs, bool& lower);

// The caption of the switch button: "Ausgang umschalten", or for a blind-motor module
// "Umschalten heben/aus" / "Umschalten senken/aus" (German UTF-8, untranslated).
const char* SwitchCaption(const TModul* modul, bool lower);

// The input word of the module, or def when the request fails (so a failed read shows no change).
int ReadInputWord(TZYNComm& comm, const TModul* modul, int def);

// The log of the input test: stored lines "NN:S  hh:mm:ss"; a line added to a log of more than
// 512 lines clears it first.
class TInputLog {
 public:
  static constexpr size_t kMaxLines = 512;
  // Appends one line per input bit 0 .. inputs-1 that differs between previous and current,
  // lowest first, with the time text; returns the number added. Cleared tells whether the log was
  // emptied before a line.
  int AddChanges(int previous, int current, int inputs, const std::string& time, bool* cleared = nullptr);
  const std::vector<std::string>& Lines() const { return fLines; }
  void Clear() { fLines.clear(); }

  // How a stored line is shown: time part + " - " + "%s.%2.2d.%2.2d-%s" of the translated
  // module code, module address, input number and module name + " " + "- Einschaltflanke" or
  // "- Ausschaltflanke"; only the input number without a module. Rising: the new bit is 1.
  static std::string DisplayText(const std::string& line, const TModul* modul,
                                 const std::function<std::string(const std::string&)>& translate, bool* rising);

 private:
  std::vector<std::string> fLines;
};

// The poll loop of the input test: reads the word, then until stop() pauses 2 ms (events are
// processed), reads again (falling back to the previous word) and hands every change to
// changed(previous, current).
void PollInputs(TZYNComm& comm, const TModul& modul, const std::function<bool()>& stop,
                const std::function<void(int previous, int current)>& changed);

}  // namespace zyn
