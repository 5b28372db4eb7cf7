// "Basisprogrammierung" as the installer uses it: templates dragged onto the program tree,
// objects dragged onto the slots (with the command and range dialogs answered), links generated
// as the tool's description says, tools deleted with their links, empty slots named.

#include "logic/TemplatePage.h"

#include "compiler/interpreter/ToolGeneration.h"
#include "compiler/toollib/FuncNode.h"
#include "compiler/toollib/SubFunction.h"
#include "logic/LogicDialogs.h"
#include "logic/LinkListView.h"
#include "logic/SmallLogicDialogs.h"
#include "logic/core/LinkParameters.h"
#include "model/EAFunktionen.h"
#include "model/base/ZYNOptionen.h"
#include "platform/MessageDlg.h"
#include "platform/QtText.h"
#include "project/Global.h"
#include "tests/compiler/interpreter/DefaultToolsFixture.h"
#include "tests/logic/ToolSlots.h"
#include "tests/support/AppFixture.h"
#include "tests/support/TestHome.h"

#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace zyn {
namespace {

// The fixture's installation and libraries are the programme's for the test's length.
template <class T>
struct TLend {
  std::unique_ptr<T>& Global;
  std::unique_ptr<T> Saved;
  TLend(std::unique_ptr<T>& global, T& object) : Global(global), Saved(std::move(global)) { Global.reset(&object); }
  ~TLend() {
    (void)Global.release();
    Global = std::move(Saved);
  }
};

class TemplatePage : public test::DefaultTools {
 protected:
  static void SetUpTestSuite() { test::EnsureApp(); }
  void SetUp() override {
    DefaultTools::SetUp();
    // Tools are deleted without a question unless a test asks for one (other tests of the
    // programme may have switched it on).
    SetBoolOption(boConfirmDelete, false);
    lends = std::make_unique<TLends>(*this);
    SetMessageDlgHook([this](const QString& text, const QString&, unsigned) {
      messages.push_back(text.toStdString());
      return 6;
    });
    // The command chooser picks the command named by `command`, the range page takes `range`.
    SetLogicDialogHook([this](QDialog& d) {
      if (auto* f = qobject_cast<TFrmGetFunction*>(&d)) {
        f->Chosen = nullptr;
        for (int i = 0; f->List && i < f->List->Count(); ++i) {
          TEABaseFunction* c = f->List->GetFunction(i);
          if (c->DisplayName == command || c->OldName == command) f->Chosen = c;
        }
        return f->Chosen ? 1 : 2;
      }
      if (auto* p = qobject_cast<TFrmParameter*>(&d)) {
        TParameterForm form = p->Store();
        form.Spin[10].Value = range.first;
        form.Spin[11].Value = range.second;
        form.Spin[1].Value = parameter;
        p->Load(form);
        return 1;
      }
      return 2;
    });
    page = std::make_unique<TFrBasis>();
    page->FrameActivate();
  }
  void TearDown() override {
    page.reset();
    SetLogicDialogHook({});
    SetMessageDlgHook({});
    lends.reset();
  }

  QTreeWidgetItem* Find(QTreeWidget* tree, const std::function<bool(const TFrBasis::TNodeData&)>& match) {
    QTreeWidgetItemIterator it(tree);
    for (; *it; ++it)
      if (match(page->Data(*it))) return *it;
    return nullptr;
  }
  QTreeWidgetItem* Template(const char* name) {
    QTreeWidgetItemIterator it(page->VTV);
    for (; *it; ++it)
      if ((*it)->text(0) == QString::fromUtf8(name)) return *it;
    for (QTreeWidgetItemIterator u(page->UVTV); *u; ++u)
      if ((*u)->text(0) == QString::fromUtf8(name)) return *u;
    ADD_FAILURE() << name;
    return nullptr;
  }
  TZYNFunction& Place(const char* name, QTreeWidgetItem* on = nullptr) {
    QTreeWidgetItem* item = Template(name);
    QTreeWidget* tree = item->treeWidget();
    EXPECT_TRUE(page->CanDrop(tree, item, on)) << name;
    page->Drop(tree, item, on);
    return *std::get<TZYNFunction*>(page->Data(page->PTV->currentItem()));
  }
  QTreeWidgetItem* ToolNode(TZYNFunction& tool) {
    return Find(page->PTV, [&](const TFrBasis::TNodeData& d) {
      const auto* t = std::get_if<TZYNFunction*>(&d);
      return t && *t == &tool;
    });
  }
  QTreeWidgetItem* SlotNode(TZYNFunction& tool, const char* varName) {
    QTreeWidgetItem* t = ToolNode(tool);
    for (int i = 0; t && i < t->childCount(); ++i) {
      const auto d = page->Data(t->child(i));
      if (const auto* s = std::get_if<TFuncNode*>(&d); s && (*s)->NodeVar && (*s)->NodeVar->VarName == varName)
        return t->child(i);
    }
    ADD_FAILURE() << varName;
    return nullptr;
  }
  // Drags the object from whichever object tree shows it onto the tool's slot.
  template <class T>
  void Bind(TZYNFunction& tool, const char* varName, T* object, std::string chooseCommand = "") {
    command = std::move(chooseCommand);
    for (QTreeWidget* tree : {page->ETV, page->ATV, page->RTV, page->UTV, page->MTV}) {
      QTreeWidgetItem* item = Find(tree, [&](const TFrBasis::TNodeData& d) {
        const auto* o = std::get_if<TToolObject>(&d);
        return o && *o == TToolObject(object);
      });
      if (!item) continue;
      QTreeWidgetItem* slot = SlotNode(tool, varName);
      ASSERT_TRUE(page->CanDrop(tree, item, slot)) << tool.GetFunctionName() << " " << varName;
      page->Drop(tree, item, slot);
      return;
    }
    ADD_FAILURE() << "object not shown for " << varName;
  }

  struct TLends {
    TLend<TZYNProjekt> Projekt;
    TLend<TBasisDaten> Basis;
    TLend<TZYNFunktionsListe> System, User;
    TLend<TUniqueNames> Names;
    explicit TLends(TemplatePage& t)
        : Projekt(GProjekt, t.p),
          Basis(GBasisDaten, t.basis),
          System(GSystemTools, t.system),
          User(GUserTools, t.user),
          Names(GUniqueNames, t.names) {}
  };
  std::unique_ptr<TLends> lends;
  std::unique_ptr<TFrBasis> page;
  std::vector<std::string> messages;
  std::string command;
  std::pair<int, int> range{1, 1};
  int parameter = 1;

  void NameEveryChannel() {
    for (TModul* m : {inp, out, mfm, dim}) {
      for (int i = 0; i < m->Eingaenge().Count(); ++i) In(m, i)->SetDisplayName("E" + std::to_string(i));
      for (int i = 0; i < m->Ausgaenge().Count(); ++i) Out(m, i)->SetDisplayName("A" + std::to_string(i));
    }
  }
};

TEST_F(TemplatePage, TabsPerControlModuleWithInputsAndOutputsAndTheProjectWideView) {
  ASSERT_EQ(page->TC->count(), 2);  // control module 1 has no outputs
  EXPECT_EQ(page->TC->tabText(1), QStringLiteral("Übergreifend"));
  EXPECT_EQ(page->CurrentTools(), &stm0->Tools);
  // On the project-wide view the presence simulation is refused, and the check is offered.
  page->ShowTab(1);
  EXPECT_EQ(page->CurrentTools(), &p.Tools);
  QTreeWidgetItem* sim = Template("Anwesenheitssimulation");
  EXPECT_FALSE(page->CanDrop(page->VTV, sim, nullptr));
  EXPECT_FALSE(page->BtnCheck->isEnabled());
  Place("Zentral Aus");
  EXPECT_TRUE(page->BtnCheck->isEnabled());
  EXPECT_EQ(p.Tools.Count(), 1);
  page->CheckLogic();
  EXPECT_EQ(messages, std::vector<std::string>{"Es wurden keine Logik- Konflikte gefunden."});
  page->ShowTab(0);
  EXPECT_TRUE(page->CanDrop(page->VTV, Template("Anwesenheitssimulation"), nullptr));
}

TEST_F(TemplatePage, EveryDefaultToolPlacedAndBoundGeneratesItsLinksAndLeavesWithThem) {
  NameEveryChannel();
  Rme(out, 6)->SetDisplayName("R6");
  Rme(out, 7)->SetDisplayName("R7");
  // The links the interpreter's expectations describe.
  PlaceEveryDefaultTool();
  ASSERT_EQ(GenerateTools(p, basis, &report), 0);
  const std::vector<std::string> described = AllLinks();
  ClearAllLinks();
  stm0->Tools.Clear();
  page->ShowTab(0);

  std::vector<TZYNFunction*> placed;
  TZYNFunction& taster = Place("Taster schaltet Licht");
  Bind(taster, "TASTER", In(inp, 0));
  Bind(taster, "LICHT", Out(out, 0));
  Bind(taster, "LICHT", Out(out, 1));
  TZYNFunction& treppe = Place("Treppenhauslicht");
  Bind(treppe, "TASTER", In(inp, 1));
  Bind(treppe, "LICHT", Out(out, 2));
  TZYNFunction& zentral = Place("Zentral Aus");
  Bind(zentral, "TASTER", In(inp, 2));
  for (int o = 0; o < 3; ++o) Bind(zentral, "VERBRAUCHER", Out(out, o));
  TZYNFunction& nacht = Place("Nachtlicht");
  Bind(nacht, "TASTER", In(inp, 3));
  Bind(nacht, "NACHT", Flag(0));
  Bind(nacht, "NACHTLICHT", Out(out, 3));
  Bind(nacht, "HAUPTLICHT", Out(mfm, 0));
  TZYNFunction& merker = Place("Merker setzen und löschen");
  Bind(merker, "SETZEN", In(inp, 4));
  Bind(merker, "LOESCHEN", In(inp, 5));
  Bind(merker, "MERKER", Flag(1));
  TZYNFunction& frei = Place("Freie Zuordnung");
  Bind(frei, "QUELLEN", In(inp, 6), "AUS > 1 SEK");
  Bind(frei, "ZIELE", Out(out, 4), "AUS");
  parameter = 60;
  Bind(frei, "ZIELE", Out(out, 5), "Treppenlicht");
  TZYNFunction& sim = Place("Anwesenheitssimulation");
  Bind(sim, "UHR", Clock(0));
  Bind(sim, "EINGANG", In(inp, 7));
  range = {10, 20};
  Bind(sim, "AUSGANG", Out(out, 6));
  range = {5, 5};
  Bind(sim, "AUSGANGA", Out(out, 7));
  TZYNFunction& dimmer = Place("Dimmer Taster");
  Bind(dimmer, "TASTER", In(mfm, 0));
  Bind(dimmer, "LICHT", Out(dim, 0));
  placed = {&taster, &treppe, &zentral, &nacht, &merker, &frei, &sim, &dimmer};
  EXPECT_TRUE(p.Modified);
  EXPECT_TRUE(messages.empty()) << messages.front();

  // The bound objects show below their slots with their place and selection.
  QTreeWidgetItem* ziele = SlotNode(frei, "ZIELE");
  ASSERT_EQ(ziele->childCount(), 2);
  EXPECT_TRUE(ziele->child(1)->text(0).startsWith(QStringLiteral("STM.00.OUT.02.05-A5:")))
      << ziele->child(1)->text(0).toStdString();
  EXPECT_TRUE(ziele->child(1)->text(0).endsWith(QStringLiteral("#60")));
  for (const std::string& m : messages) ADD_FAILURE() << m;

  ASSERT_EQ(stm0->Tools.Count(), 8);
  EXPECT_EQ(GenerateTools(p, basis, &report), 0) << (report.Causes.empty() ? "" : report.Causes[0]);
  EXPECT_EQ(AllLinks(), described);

  // Every tool deleted through the page: nothing left to generate.
  ClearAllLinks();
  for (TZYNFunction* t : placed) page->Delete(ToolNode(*t));
  EXPECT_EQ(stm0->Tools.Count(), 0);
  EXPECT_EQ(page->PTV->topLevelItemCount(), 0);
  EXPECT_EQ(GenerateTools(p, basis, &report), 0);
  EXPECT_TRUE(AllLinks().empty());
}

TEST_F(TemplatePage, ToolWithAnEmptySlotShowsNoLinksAndNamesTheSlot) {
  NameEveryChannel();
  page->ShowTab(0);
  TZYNFunction& taster = Place("Taster schaltet Licht");
  Bind(taster, "TASTER", In(inp, 0));
  const QString slotName = SlotNode(taster, "LICHT")->text(0);
  page->ShowLinks(ToolNode(taster));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(QString::fromStdString(messages[0]).indexOf(QStringLiteral("\"") + slotName + QStringLiteral("\"")), -1)
      << messages[0];
  EXPECT_NE(QString::fromStdString(messages[0]).indexOf(QStringLiteral("Taster schaltet Licht")), -1);
  EXPECT_TRUE(AllLinks().empty());
}

// The link preview lists the tool's links with their pictures and counts plain and logical ones.
TEST_F(TemplatePage, LinkPreviewCountsPlainAndLogicalLinks) {
  NameEveryChannel();
  page->ShowTab(0);
  TZYNFunction& nacht = Place("Nachtlicht");
  Bind(nacht, "TASTER", In(inp, 3));
  Bind(nacht, "NACHT", Flag(0));
  Bind(nacht, "NACHTLICHT", Out(out, 3));
  Bind(nacht, "HAUPTLICHT", Out(mfm, 0));
  QString tool, plain, logical;
  int entries = -1;
  SetLogicDialogHook([&](QDialog& d) {
    auto* list = qobject_cast<TFrmFuncVerb*>(&d);
    if (!list) return 2;
    tool = list->Label2->text();
    plain = list->Label3->text();
    logical = list->Label6->text();
    entries = list->LVerbindungen->count();
    EXPECT_TRUE(list->Label4->isVisibleTo(list));
    return 1;
  });
  page->ShowLinks(ToolNode(nacht));
  for (const std::string& m : messages) ADD_FAILURE() << m;
  EXPECT_EQ(tool, QStringLiteral("Nachtlicht"));
  EXPECT_GT(entries, 0);
  EXPECT_EQ(plain.toInt() + logical.toInt(), entries);
  EXPECT_GT(logical.toInt(), 0);  // the night flag is a condition
  EXPECT_TRUE(AllLinks().empty());  // the preview leaves no link behind
}

// A tool whose condition lies in another control module than its target is marked when the tree
// is filled (as after reopening the project), while the option asks for the logic test.
TEST_F(TemplatePage, LogicConflictIsMarkedWhenTheTreeIsFilled) {
  // A project-wide tool: its objects may lie in any control module.
  auto made = std::make_unique<TZYNFunction>();
  made->InternalName = names.NewName();
  made->Info.FunctionName = "Konflikt";
  made->Script = {"BLOCK", "IF %T% : EIN", "AND %X% : Ein", "THEN %L% : EIN", "END."};
  const std::string key = made->InternalName;
  TZYNFunction& tool = *p.Tools.Add(key, std::move(made));
  test::InterpreterTest::Bind(Var(tool, "T", vtEingang), In(inp, 0));
  test::InterpreterTest::Bind(Var(tool, "X", vtEingang), In(inp1, 0));
  test::InterpreterTest::Bind(Var(tool, "L", vtAusgang), Out(out, 0));
  const int across = page->TC->count() - 1;
  ASSERT_EQ(page->TC->tabText(across), QString::fromUtf8("Übergreifend"));
  // The option lives in the options file; this programme has none of its own.
  struct TOptions {
    bool Own = !GOptionFile;
    TOptions() {
      if (Own) {
        GOptionFile = std::make_unique<TZYNOptionFile>(test::TestHome() + "/");
        GOptionFile->SetDefaults();
      }
    }
    ~TOptions() {
      if (Own) GOptionFile.reset();
    }
  } options;
  const bool option = GetBoolOption(boLogicTest);
  SetBoolOption(boLogicTest, false);
  tool.HasLgConflict = false;  // as read from the file
  page->ShowTab(across);
  EXPECT_FALSE(tool.HasLgConflict);
  SetBoolOption(boLogicTest, true);
  page->ShowTab(across);
  EXPECT_TRUE(tool.HasLgConflict);
  ASSERT_NE(ToolNode(tool), nullptr);
  EXPECT_EQ(page->PictureIndex(page->Data(ToolNode(tool))), 10);
  EXPECT_TRUE(AllLinks().empty());
  SetBoolOption(boLogicTest, option);
}

TEST_F(TemplatePage, LevelsTakeToolsAndAreOnlyDeletedEmpty) {
  page->ShowTab(0);
  page->OnAskLevelName = [](std::string& text) {
    text = "Flur";
    return true;
  };
  page->NewLevel();
  ASSERT_EQ(page->PTV->topLevelItemCount(), 1);
  QTreeWidgetItem* level = page->PTV->topLevelItem(0);
  TZYNFunction& tool = Place("Zentral Aus", level);
  EXPECT_EQ(tool.Info.Ebene.Text(), "Flur");
  EXPECT_EQ(level->childCount(), 1);
  EXPECT_FALSE(page->CanDelete(level));

  page->OnAskRename = [](const std::string&, std::string& text) {
    text = "Diele";
    return true;
  };
  page->Rename(level);
  EXPECT_EQ(tool.Info.Ebene.Text(), "Diele");
  page->OnAskRename = [](const std::string&, std::string& text) {
    text = "";
    return true;
  };
  page->Rename(ToolNode(tool));
  EXPECT_EQ(tool.GetFunctionName(), "Zentral Aus");

  // The rename dialog "Funktionsbezeichnung ändern" shows the current name as old and new name.
  TFrBasis fresh;
  QString offered, preset;
  SetLogicDialogHook([&offered, &preset](QDialog& d) {
    auto* rename = qobject_cast<TFrmRename*>(&d);
    if (!rename) return 2;
    offered = rename->Edit1->text();
    preset = rename->Edit2->text();
    EXPECT_EQ(rename->windowTitle(), QString::fromUtf8("Funktionsbezeichnung ändern"));
    EXPECT_FALSE(rename->Edit1->isEnabled());
    rename->Edit2->setText(QStringLiteral("Alles aus"));
    return 1;
  });
  std::string renamed;
  ASSERT_TRUE(fresh.OnAskRename("Zentral Aus", renamed));
  EXPECT_EQ(offered, QStringLiteral("Zentral Aus"));
  EXPECT_EQ(preset, QStringLiteral("Zentral Aus"));
  page->OnAskRename = fresh.OnAskRename;
  page->Rename(ToolNode(tool));
  EXPECT_EQ(tool.GetFunctionName(), "Alles aus");
  EXPECT_EQ(ToolNode(tool)->text(0), QStringLiteral("Alles aus"));

  page->Delete(ToolNode(tool));
  ASSERT_TRUE(page->CanDelete(level));
  page->Delete(level);  // a level is deleted after the question
  EXPECT_EQ(messages.size(), 1u);
  EXPECT_EQ(page->PTV->topLevelItemCount(), 0);
}

// A parameter's value node opens the slot's dialog; the value confirmed is what the tool
// generates with. Cancelling changes nothing; a value node of a slot without dialog does nothing.
TEST_F(TemplatePage, ParameterValueIsEditedInTheSlotsDialog) {
  page->ShowTab(0);
  TZYNFunction& treppe = Place("Treppenhauslicht");
  QTreeWidgetItem* value = SlotNode(treppe, "LAUFZEIT")->child(0);
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(value->text(0), QStringLiteral("180 Sekunden"));
  p.Modified = false;
  parameter = 5000;  // above the variable's maximum: clamped
  page->DoubleClick(value);
  EXPECT_EQ(treppe.FindVariable("LAUFZEIT")->Value, 3600);
  EXPECT_EQ(value->text(0), QStringLiteral("3600 Sekunden"));
  EXPECT_TRUE(p.Modified);

  SetLogicDialogHook([](QDialog&) { return 2; });
  page->DoubleClick(value);
  EXPECT_EQ(treppe.FindVariable("LAUFZEIT")->Value, 3600);
  // Without a dialog on the slot nothing happens.
  std::get<TFuncNode*>(page->Data(SlotNode(treppe, "LAUFZEIT")))->NodeEdit = edDragDrop;
  SetLogicDialogHook([](QDialog&) {
    ADD_FAILURE() << "no dialog expected";
    return 2;
  });
  page->DoubleClick(value);
}

// A bound output of a command slot gets its command chosen again on a double click; cancelling
// leaves node and entry as they were.
TEST_F(TemplatePage, DoubleClickChoosesTheCommandAgainAndCancelKeepsIt) {
  NameEveryChannel();
  page->ShowTab(0);
  TZYNFunction& frei = Place("Freie Zuordnung");
  Bind(frei, "ZIELE", Out(out, 4), "AUS");
  QTreeWidgetItem* bound = SlotNode(frei, "ZIELE")->child(0);
  ASSERT_NE(bound, nullptr);
  // The selection names the command by its old name when it has one.
  const TEAFunctionList* list = basis.BefehlsListen.FindList(Out(out, 4)->BefehlsListe);
  ASSERT_NE(list, nullptr);
  const auto shownName = [list](const char* display) {
    const TEABaseFunction* c = list->FindByDisplayName(display);
    return c->OldName.empty() ? c->DisplayName : c->OldName;
  };
  const QString place = QStringLiteral("STM.00.OUT.02.04-A4:");
  EXPECT_EQ(bound->text(0), place + ToQString(shownName("AUS")));
  const std::string entry = frei.FindVariable("ZIELE")->Objects()[0].Text;

  command = "gibt es nicht";  // the chooser is cancelled
  page->DoubleClick(bound);
  EXPECT_EQ(SlotNode(frei, "ZIELE")->child(0)->text(0), place + ToQString(shownName("AUS")));
  EXPECT_EQ(frei.FindVariable("ZIELE")->Objects()[0].Text, entry);

  command = "EIN";
  page->DoubleClick(SlotNode(frei, "ZIELE")->child(0));
  EXPECT_EQ(SlotNode(frei, "ZIELE")->child(0)->text(0), place + ToQString(shownName("EIN")));
  EXPECT_EQ(frei.FindVariable("ZIELE")->Objects()[0].Text, Out(out, 4)->InternalName() + ":" + shownName("EIN"));
}

// An output bound to a reserving slot leaves the output tree and comes back, sorted, when its
// binding or its tool is deleted.
TEST_F(TemplatePage, ReservedOutputsLeaveTheOutputTreeUntilReleased) {
  NameEveryChannel();
  page->ShowTab(0);
  TZYNFunction& treppe = Place("Treppenhauslicht");
  std::get<TFuncNode*>(page->Data(SlotNode(treppe, "LICHT")))->NodeFlags |= flReserve;
  const auto shown = [this](TAusgang* a) {
    return Find(page->ATV, [a](const TFrBasis::TNodeData& d) {
             const auto* o = std::get_if<TToolObject>(&d);
             return o && *o == TToolObject(a);
           }) != nullptr;
  };
  Bind(treppe, "LICHT", Out(out, 2));
  Bind(treppe, "LICHT", Out(out, 3));
  EXPECT_TRUE(Out(out, 2)->Reserviert());
  EXPECT_FALSE(shown(Out(out, 2)));
  EXPECT_FALSE(shown(Out(out, 3)));

  page->Delete(SlotNode(treppe, "LICHT")->child(0));
  EXPECT_FALSE(Out(out, 2)->Reserviert());
  EXPECT_TRUE(shown(Out(out, 2)));
  EXPECT_EQ(SlotNode(treppe, "LICHT")->childCount(), 1);

  page->Delete(ToolNode(treppe));
  EXPECT_FALSE(Out(out, 3)->Reserviert());
  EXPECT_TRUE(shown(Out(out, 3)));
  // The module's outputs are listed in order again.
  QTreeWidgetItem* module = Find(page->ATV, [this](const TFrBasis::TNodeData& d) {
    const auto* o = std::get_if<TToolObject>(&d);
    return o && *o == TToolObject(out);
  });
  ASSERT_NE(module, nullptr);
  for (int i = 1; i < module->childCount(); ++i) EXPECT_LT(module->child(i - 1)->text(0), module->child(i)->text(0));
}

// A tool used inside another one through the "Funktionen" tree: deleting it takes the reference
// out of the other tool, its node and its entry.
TEST_F(TemplatePage, DeletingAUsedToolTakesItsReferencesAlong) {
  page->ShowTab(0);
  TZYNFunction& used = Place("Treppenhauslicht");
  used.Info.CanBeSubFunc = 1;
  used.Info.FunctionClass = "LICHT";
  TZYNFunction& user = Place("Zentral Aus");
  TVariable& target = *test::AddToolSlot(user, vtFunction).NodeVar;
  page->ShowTab(0);  // the tree shows the new slot and the usable tool's reference

  QTreeWidgetItem* reference = Find(page->FTV, [&used](const TFrBasis::TNodeData& d) {
    const auto* o = std::get_if<TToolObject>(&d);
    const TZYNSubFunction* ref = o ? ObjectAs<TZYNSubFunction>(*o) : nullptr;
    return ref && ref->FunctionPtr() == &used;
  });
  ASSERT_NE(reference, nullptr);
  QTreeWidgetItem* slotNode = SlotNode(user, "WERKZEUGE");
  ASSERT_TRUE(page->CanDrop(page->FTV, reference, slotNode));
  page->Drop(page->FTV, reference, slotNode);
  ASSERT_EQ(target.Count(), 1);
  EXPECT_EQ(target.Objects()[0].Text, used.InternalName);
  ASSERT_EQ(SlotNode(user, "WERKZEUGE")->childCount(), 1);
  EXPECT_EQ(SlotNode(user, "WERKZEUGE")->child(0)->text(0), QStringLiteral("Treppenhauslicht"));
  EXPECT_FALSE(page->CanDrop(page->FTV, reference, SlotNode(user, "WERKZEUGE")));  // bound already

  page->Delete(ToolNode(used));
  EXPECT_EQ(target.Count(), 0);
  EXPECT_EQ(SlotNode(user, "WERKZEUGE")->childCount(), 0);
  EXPECT_EQ(page->FTV->topLevelItemCount(), 0);
  EXPECT_EQ(stm0->Tools.Count(), 1);
}

}  // namespace
}  // namespace zyn
