#pragma once
// The shared routines of the pages that work on controls: the free-address picker, placing a
// dialog over a control, the delete confirmation and the searches in tree views.
//
// A tree node may carry a data object (a pointer the page owns elsewhere); nodes without data
// are group nodes. Texts compare exactly, case included. Absolute indexes count the nodes in the
// order they are shown with every node expanded.

#include "platform/Types.h"

#include <QCursor>
#include <QString>

#include <cstdint>
#include <string>
#include <vector>

class QComboBox;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace zyn {

class EProjectPartlyRead;
class TZYNProjekt;
class TZYNSubFunction;

// A project file was read only up to a damaged part: names the file and the part and asks
// whether the readable parts are to be opened. Yes takes them as a new, changed project that
// must be saved under a name (true); No leaves it (false).
bool OfferPartlyReadProject(TZYNProjekt& projekt, const std::string& fileName, const EProjectPartlyRead& error);

// Lists prefix.address of every free address from minimum to maximum (and the current one) and
// selects the current one (nothing selected when it is not listed).
void FillFreeAddressCombo(const std::vector<uint8_t>& flags, const std::string& prefix, QComboBox* combo, int current,
                          int maximum, int minimum);
// Places the form centred over the control (on the screen), keeping the form's size, and lets the
// form show hints only when the option ShowHint is set.
void CenterFormOnControl(QWidget* form, QWidget* control);
// Asks the question (model text) as a confirmation with Yes and No when the option ConfirmDelete
// is set or count is above 0; true for Yes, and true without asking otherwise.
bool ConfirmDelete(const std::string& question, int count);
// The rectangle (0, 0, width, height) of a bitmap of the programme's resources: a picture
// ":/bitmaps/<name>.png" or ".bmp" of the Qt resources, or one of the fold panel's glyphs; an empty
// rectangle when there is none of that name.
TRect GetBitmapResourceSize(const QString& name);
// Sets the cursor of the main window (the programme's QMainWindow; nothing without one).
void SetMainFormCursor(const QCursor& cursor);

void SetNodeData(QTreeWidgetItem* node, const void* data);
void SetNodeData(QTreeWidgetItem* node, const TZYNSubFunction* subFunction);
const void* NodeData(const QTreeWidgetItem* node);

int FindGroupNodeIndex(QTreeWidget* tree, const QString& text);
QTreeWidgetItem* FindGroupNodeByText(QTreeWidget* tree, const QString& text);
QTreeWidgetItem* FindDataNodeByText(QTreeWidget* tree, const QString& text);
int IndexOfNodeData(QTreeWidget* tree, const void* data);
QTreeWidgetItem* FindNodeByData(QTreeWidget* tree, const void* data);
// The first node whose data is a sub-tool of that name (model text).
QTreeWidgetItem* FindSubFunctionNode(QTreeWidget* tree, const std::string& name);
// Below the node holding data: the child with that text, added without data when missing;
// nullptr when no node holds data.
QTreeWidgetItem* FindOrAddChildNode(QTreeWidget* tree, const void* data, const QString& text);
// The same as an absolute index; without a node holding data, the index of a group node with that
// text (-1 when none), and nothing is added.
int FindOrAddChildNodeIndex(QTreeWidget* tree, const void* data, const QString& text);
// The node at an absolute index, nullptr outside.
QTreeWidgetItem* NodeAt(QTreeWidget* tree, int absoluteIndex);

}  // namespace zyn
