#pragma once
// Small shared routines of the pages that need no user interface: forming and parsing object
// names such as "STM.03", address lists, and the three links of an input flag.

#include <cstdint>
#include <string>
#include <vector>

namespace zyn {

class TEingang;
class TVerbindungsListe;

// The decimal number after the first "." ("STM.03" gives 3); -1 without a ".". A rest that is
// no number raises EZYNError.
int ParseNumberAfterDot(const std::string& text);
// prefix + "." + number with at least `width` digits ("STM", 3, 2 gives "STM.03").
std::string FormatObjectName(const std::string& prefix, int number, int width);
// prefix + "." + address with three digits when maximum is 100 or more, else two.
std::string FormatAddressItem(int address, const std::string& prefix, int maximum);
// prefix.aa.<number with `digits` digits>-name; "Error" for digits out of reason.
std::string FormatChannelName(const std::string& prefix, int address, int number, const std::string& name, int digits);
// "STM.nn.code.aa." + channel address with `digits` digits + "-" + channel name.
std::string FormatStmChannelName(int stmAdresse, const std::string& kennung, int modulAdresse,
                                 const std::string& channelName, int digits, int channelAddress);
// The address 0..31 as five characters "0"/"1", bit 0 first.
std::string AddressDipText(int address);
// Splits "Ein: 5" into "Ein" and ": 5" (at the first ":", else at the first "#"); both trimmed.
// Without either the text stays and rest is empty.
void SplitNameValue(std::string& text, std::string& rest);
// "12%Name" gives 12 and leaves "Name"; without "%" -1 and the text unchanged. A prefix that is
// no number raises EZYNError.
int TakeNumberPrefix(std::string& text);

// The entries of an address picker: every address from minimum to maximum whose flag byte is 0
// (flags[address - minimum]) or that is the current one. `selected` is the current one's index,
// -1 when it is not listed.
std::vector<std::string> FreeAddressItems(const std::vector<uint8_t>& flags, const std::string& prefix, int current,
                                          int maximum, int minimum, int& selected);

// Adds to the input's links the three plain links that drive its own input flag ("Ein > 0 Sek"
// sets it, "Aus < 1 Sek" and "Aus > 1 Sek" clear it); a link whose display text is already there
// is not added again. The input must belong to a module. Returns the number of links added.
// `generated` marks the links as the program's own (tool generation), so that the clean-up after
// a compile removes them again; links the user asks for stay. With `dest` (a trial expansion)
// the links go into that list instead and the input's own links are only read.
int AddInputFlagLinks(TEingang& input, int stmAdresse, bool generated = false, TVerbindungsListe* dest = nullptr);

}  // namespace zyn
