#pragma once
// Small text routines shared by the pages: a safe formatter for the translated format texts,
// hint wrapping, padding, GUID texts and the words that name an object's kind.

#include <initializer_list>
#include <string>

namespace zyn {

class TZYNBaseObject;
class TZYNFunction;
class TZYNSubFunction;
class TZYNEbene;

// Formats with "%s" items (flags, width and precision allowed) taking the texts in order, "%%" as
// a percent sign. Any other item, or an item without an argument, is copied as it stands, so a
// format or a text holding "%" can never read beyond the arguments.
std::string FormatText(const std::string& format, std::initializer_list<std::string> args);
// The same with "%d" items ("%3d", "%2.2d", "%-5d") taking the numbers in order.
std::string FormatNumbers(const std::string& format, std::initializer_list<long long> args);

// Every line feed removed, then every carriage return.
std::string StripLineBreaks(const std::string& text);
// The text without line breaks, wrapped at `width` columns with CR LF, breaking after blanks,
// hyphens and tabs (a blank at a break is dropped). A word longer than the width stays whole.
// Every other character, apostrophes and "§" included, stays as it is.
std::string WrapHintText(const std::string& text, int width);
// Appends fill until the text is at least `length` long; a longer text is returned unchanged.
std::string PadRight(const std::string& text, char fill, int length);
// A new random GUID as "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" (upper case hexadecimal).
std::string NewGuidString();

// The translated words "dieser Eingang" and so on that name an object's kind in questions.
std::string ObjectKindText(const TZYNBaseObject* object);
std::string ObjectKindText(const TZYNFunction* tool);
std::string ObjectKindText(const TZYNSubFunction* subFunction);
std::string ObjectKindText(const TZYNEbene* level);

}  // namespace zyn

namespace zyn {

class TVerbindung;

// The name of the picture of a link: "VERBINDUNG", "VERKNUPF" or "VERKNUPFALT" by its kind (0, 1,
// 2), with "VERBOVL", "VERKNOVL", "VERKNALTOVL" for a target in another control module; empty for
// any other kind.
std::string LinkBitmapName(const TVerbindung& link);

}  // namespace zyn
