// The logic pages as an installer uses them: a link whose command needs a duration, a tool renamed
// on the template page, a tool with a logic conflict marked after the project is opened again, the
// browser page on a local server, and the group page refusing a dimmer channel in a switching group.

#include "tests/journeys/Journey.h"

#include "compiler/toollib/FuncNode.h"
#include "compiler/toollib/FunktionsListe.h"
#include "compiler/toollib/Variable.h"
#include "compiler/toollib/ZYNFunction.h"
#include "frames/FrGruppen.h"
#include "frames/browser/FrBrowser.h"
#include "logic/FrFunktion.h"
#include "logic/LinkListView.h"
#include "logic/LogicDialogs.h"
#include "logic/TemplatePage.h"
#include "model/BasisDaten.h"
#include "model/Gruppe.h"
#include "model/Modul.h"
#include "model/ModulClass.h"
#include "model/Kanal.h"
#include "project/Steuermodul.h"
#include "model/UniqueNames.h"
#include "model/base/ZYNOptionen.h"
#include "project/Global.h"
#include "project/Projekt.h"
#include "shell/FrameManager.h"
#include "tests/support/Files.h"
#include "tests/support/TestHome.h"
#include "widgets/common/ZsStatusBar.h"
#include "widgets/controls/ZCLSpinEdit.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTableWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QToolButton>
#include <QUrl>
#include <QTreeWidget>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace zyn::test {
namespace {

// The journeys' installation: control module 0 with push-button inputs, a switching module, a
// dimmer module and the switching group "Flurlicht"; control module 1 with push-button inputs.
// Control module 0 holds the tool "Flur Taster"; the project-wide tools are "Konflikt", whose
// condition lies in control module 1 while its target lies in control module 0 (a link the
// control module cannot run), and "Ohne Konflikt", whose objects all lie in control module 0.
class TLogicProject {
 public:
  TLogicProject() {
    projekt.ProjektGUID = "GUID-JOURNEY-LOGIC";
    stm0 = AddStm(0);
    stm1 = AddStm(1);
    inp = AddModul(*stm0, "INPUT 8", 1);
    out = AddModul(*stm0, "OUTPUT 8", 2);
    dim = AddModul(*stm0, "DIM_SAN", 3);
    inp1 = AddModul(*stm1, "INPUT 8", 1);

    auto group = std::make_unique<TGruppe>();
    group->AssignNewName(names);
    group->SetAdresse(0);
    group->SetDisplayName("Flurlicht");
    auto member = std::make_unique<TGruppenObjekt>();
    member->AssignNewName(names);
    member->Steuermodul = stm0->InternalName();
    member->Modul = out->InternalName();
    member->Kanal = Out(out, 0)->InternalName();
    member->SetDisplayName(Out(out, 0)->DisplayName());
    member->AdressString = "OUT.02.00";
    group->Members().Add(std::move(member));
    stm0->Gruppen.Add(std::move(group));

    TZYNFunction& taster = Tool(stm0->Tools, "Flur Taster", {"BLOCK", "IF %T% : EIN", "THEN %L% : UM", "END."});
    Bind(taster, "T", vtEingang, Eingang(inp, 1));
    Bind(taster, "L", vtAusgang, Out(out, 1));
    TZYNFunction& conflict =
        Tool(projekt.Tools, "Konflikt", {"BLOCK", "IF %T% : EIN", "AND %X% : Ein", "THEN %L% : EIN", "END."});
    Bind(conflict, "T", vtEingang, Eingang(inp, 0));
    Bind(conflict, "X", vtEingang, Eingang(inp1, 0));
    Bind(conflict, "L", vtAusgang, Out(out, 0));
    TZYNFunction& clean =
        Tool(projekt.Tools, "Ohne Konflikt", {"BLOCK", "IF %T% : EIN", "AND %X% : Ein", "THEN %L% : EIN", "END."});
    Bind(clean, "T", vtEingang, Eingang(inp, 2));
    Bind(clean, "X", vtEingang, Eingang(inp, 3));
    Bind(clean, "L", vtAusgang, Out(out, 2));
  }

  std::string Save(const std::string& fileName) {
    const std::string file = TestHome() + fileName;
    projekt.SaveProjectFile(file, false);
    return file;
  }

 private:
  TSteuermodul* AddStm(int address) {
    auto stm = std::make_unique<TSteuermodul>();
    stm->AssignNewName(names);
    stm->SetAdresse(address);
    stm->SetDisplayName("Steuermodul " + std::to_string(address));
    return projekt.Steuermodule.Add(std::move(stm));
  }
  TModul* AddModul(TSteuermodul& stm, const char* klasse, int address) {
    const TModulClass* cls = GBasisDaten->Katalog.FindClass(klasse);
    EXPECT_NE(cls, nullptr) << klasse;
    auto m = std::make_unique<TModul>();
    m->AssignNewName(names);
    m->InitFromClass(*cls, names);
    m->SetDisplayName(klasse);
    m->SetAdresse(address);
    // Named channels are in use.
    const std::string kind = m->BasisKlasse == 5 ? "Dimmer " : "Licht ";
    for (int i = 0; i < m->Eingaenge().Count(); ++i) Eingang(m.get(), i)->SetDisplayName("Taster " + std::to_string(i + 1));
    for (int i = 0; i < m->Ausgaenge().Count(); ++i) Out(m.get(), i)->SetDisplayName(kind + std::to_string(i + 1));
    return stm.Module.Add(std::move(m));
  }
  static TEingang* Eingang(TModul* m, int i) { return m->Eingaenge().GetItem(i); }
  static TAusgang* Out(TModul* m, int i) { return m->Ausgaenge().GetItem(i); }
  TZYNFunction& Tool(TZYNFunktionsListe& list, const std::string& name, std::vector<std::string> script) {
    auto tool = std::make_unique<TZYNFunction>();
    tool->InternalName = names.NewName();
    tool->Info.FunctionName = name;
    tool->Script = std::move(script);
    const std::string key = tool->InternalName;
    return *list.Add(key, std::move(tool));
  }
  template <class T>
  static void Bind(TZYNFunction& tool, const std::string& var, int16_t type, T* object) {
    TVariable* v = tool.Variables.Find(var);
    if (!v) {
      auto made = std::make_unique<TVariable>();
      made->VarName = var;
      made->SetVarType(type);
      v = tool.Variables.Add(std::move(made));
      // Its slot: through it the object is found again when the project is read.
      auto slot = std::make_unique<TFuncNode>();
      slot->NodeType = type == vtEingang ? ntEingang : ntAusgang;
      slot->NodeEdit = edDragDrop;
      slot->NodeText = var;
      slot->NodeVar = v;
      tool.Nodes.Add(std::move(slot));
    }
    v->Add(object->InternalName(), TToolObject(object));
  }

  TZYNProjekt projekt;
  TUniqueNames names;
  TSteuermodul *stm0 = nullptr, *stm1 = nullptr;
  TModul *inp = nullptr, *out = nullptr, *dim = nullptr, *inp1 = nullptr;
};

class Logic : public TJourney {
 protected:
  std::string StartWithProject(const std::string& fileName = "Logik.zpf") {
    StartGlobals();
    const std::string file = TLogicProject().Save(fileName);
    StartProgram(file);
    return file;
  }
  template <class T>
  T* Page(const char* key) const {
    return dynamic_cast<T*>(Main().FM->GetFrame(QString::fromLatin1(key)));
  }
  void Save() {
    MenuCommand({"Datei1", "Speichern1"});
    EXPECT_TRUE(WaitFor([] { return GProjekt && !GProjekt->Modified; })) << "the project was not saved";
  }
  // Clicks the row of a grid in its first column.
  void ClickRow(QTableWidget* grid, int row) {
    ASSERT_TRUE(grid && row < grid->rowCount());
    grid->scrollToItem(grid->item(row, 0));
    Click(grid->viewport(), grid->visualRect(grid->model()->index(row, 0)).center());
    ASSERT_TRUE(WaitFor([&] { return grid->currentRow() == row; }));
  }
  QTreeWidgetItem* Node(QTreeWidget* tree, const QString& text) {
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
      if ((*it)->text(0) == text) return *it;
    return nullptr;
  }
  void ClickNode(QTreeWidget* tree, QTreeWidgetItem* node) {
    ASSERT_TRUE(tree && node);
    tree->scrollToItem(node);
    Click(tree->viewport(), tree->visualItemRect(node).center());
    ASSERT_TRUE(WaitFor([&] { return tree->currentItem() == node; }));
  }
};

// --- "Funktionsprogrammierung": the duration of "Treppenlicht" ---

TEST_F(Logic, ADurationOutOfRangeIsRefusedAndCancelMakesNoLink) {
  const std::string file = StartWithProject();
  SideBarClick("FrFunktion");
  ASSERT_TRUE(WaitForPage("FrFunktion"));
  auto* page = Page<TFrFunktion>("FrFunktion");
  ASSERT_TRUE(page);
  // The baseline: the project as this programme saves it.
  GProjekt->Modified = true;
  Save();
  const std::string before = ReadWholeFile(file);
  ASSERT_FALSE(before.empty());

  // The first push button onto the first output of the switching module, with "Treppenlicht".
  ASSERT_TRUE(WaitFor([&] { return page->EGrid->rowCount() > 0 && page->OAusgang->count() > 0; }));
  QString switching;
  for (int i = 0; i < page->OAusgang->count(); ++i)
    if (page->OAusgang->itemText(i).contains(QStringLiteral("Schaltmodul"))) switching = page->OAusgang->itemText(i);
  ASSERT_FALSE(switching.isEmpty()) << "no switching module on the output side";
  if (page->OAusgang->currentText() != switching) Choose(page->OAusgang, switching);
  ClickRow(page->EGrid, 0);
  ClickRow(page->AGrid, 0);
  Choose(page->BAusgang, QStringLiteral("Treppenlicht"));
  const int linksBefore = page->LVerbindungen->count();

  // 70000 seconds: refused with the range named, the dialog stays; then "Abbrechen".
  QString refusal;
  QString prompt, unit;
  OnDialog(QStringLiteral("Parameter für Ausgangsbefehl"), [&](QWidget* dialog) {
    auto* form = qobject_cast<TFrmParameter*>(dialog);
    ASSERT_TRUE(form);
    prompt = form->Label1->text() + QLatin1Char(' ') + form->Label2->text();
    unit = form->Label3->text();
    TZCLSpinEdit* value = form->SpinEdit[1];
    ASSERT_TRUE(value && value->isVisible());
    Click(value);
    Keys({QStringLiteral("ctrl+a")});
    Type(QStringLiteral("70000"));
    OnDialog(QStringLiteral("außerhalb"), [&](QWidget* box) {
      refusal = DialogText(box);
      ClickButton(box, QStringLiteral("OK"));
    });
    ClickButton(dialog, QStringLiteral("OK"));
    ASSERT_TRUE(WaitFor([&] { return !refusal.isEmpty(); })) << "70000 seconds were not refused";
    EXPECT_TRUE(dialog->isVisible()) << "the dialog closed on a refused value";
    ClickButton(dialog, QStringLiteral("Abbrechen"));
  });
  Click(page->BtnVerbinde);
  ASSERT_TRUE(WaitForDialogsHandled());
  EXPECT_TRUE(prompt.contains(QStringLiteral("Dauer"))) << prompt.toStdString();
  EXPECT_FALSE(prompt.contains(QLatin1Char(';'))) << prompt.toStdString();
  EXPECT_EQ(unit, QStringLiteral("Sekunden"));
  EXPECT_TRUE(refusal.contains(QStringLiteral("70000"))) << refusal.toStdString();
  EXPECT_TRUE(refusal.contains(QStringLiteral("1 bis 65535 Sekunden"))) << refusal.toStdString();
  EXPECT_EQ(page->LVerbindungen->count(), linksBefore) << "Abbrechen made a link";
  EXPECT_FALSE(GProjekt->Modified);
  GProjekt->Modified = true;  // saved all the same: the bytes tell
  Save();
  EXPECT_EQ(ReadWholeFile(file), before) << "the project changed although the link was cancelled";

  // A valid duration makes the link.
  OnDialog(QStringLiteral("Parameter für Ausgangsbefehl"), [&](QWidget* dialog) {
    auto* form = qobject_cast<TFrmParameter*>(dialog);
    ASSERT_TRUE(form);
    Click(form->SpinEdit[1]);
    Keys({QStringLiteral("ctrl+a")});
    Type(QStringLiteral("120"));
    ClickButton(dialog, QStringLiteral("OK"));
  });
  Click(page->BtnVerbinde);
  ASSERT_TRUE(WaitForDialogsHandled());
  ASSERT_TRUE(WaitFor([&] { return page->LVerbindungen->count() == linksBefore + 1; })) << "no link was made";
  EXPECT_TRUE(GProjekt->Modified);
  EndProgram(QStringLiteral("Nein"));
}

// --- "Basisprogrammierung": a tool renamed ---

TEST_F(Logic, AToolIsRenamedThroughTheRenameDialogAndKeepsItsName) {
  const std::string file = StartWithProject();
  SideBarClick("FrBasis");
  ASSERT_TRUE(WaitForPage("FrBasis"));
  auto* page = Page<TFrBasis>("FrBasis");
  ASSERT_TRUE(page);
  QTreeWidgetItem* tool = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (tool = Node(page->PTV, QStringLiteral("Flur Taster"))) != nullptr; }))
      << "the tool is not on the template page";
  ClickNode(page->PTV, tool);

  QString oldName;
  bool oldNameLocked = false;
  OnDialog(QStringLiteral("Funktionsbezeichnung ändern"), [&](QWidget* dialog) {
    auto* current = dialog->findChild<QLineEdit*>(QStringLiteral("Edit1"));
    auto* next = dialog->findChild<QLineEdit*>(QStringLiteral("Edit2"));
    ASSERT_TRUE(current && next);
    oldName = current->text();
    oldNameLocked = !current->isEnabled() || current->isReadOnly();
    Click(next);
    Keys({QStringLiteral("ctrl+a")});
    Type(QStringLiteral("Treppenhaus"));
    ClickButton(dialog, QStringLiteral("OK"));
  });
  OnMenu(QStringLiteral("Umbenennen"));
  RightClick(page->PTV->viewport(), page->PTV->visualItemRect(tool).center());
  ASSERT_TRUE(WaitForDialogsHandled());
  EXPECT_EQ(oldName, QStringLiteral("Flur Taster"));
  EXPECT_TRUE(oldNameLocked) << "the current name can be edited";
  EXPECT_TRUE(WaitFor([&] { return Node(page->PTV, QStringLiteral("Treppenhaus")) != nullptr; }))
      << "the tree does not show the new name";
  Save();
  EndProgram();

  StartProgram(file);
  SideBarClick("FrBasis");
  ASSERT_TRUE(WaitForPage("FrBasis"));
  page = Page<TFrBasis>("FrBasis");
  EXPECT_TRUE(WaitFor([&] { return Node(page->PTV, QStringLiteral("Treppenhaus")) != nullptr; }))
      << "the new name was not kept";
  EXPECT_EQ(Node(page->PTV, QStringLiteral("Flur Taster")), nullptr);
  EndProgram();
}

// --- "Basisprogrammierung": the conflict mark after reopening ---

TEST_F(Logic, AToolWithALogicConflictIsMarkedWhenTheProjectIsOpenedAgain) {
  StartGlobals();
  // The installer's options: pictures in the program tree and the logic test.
  SetBoolOption(boGfxPrgTree, true);
  SetBoolOption(boLogicTest, true);
  StartWithProject();
  SideBarClick("FrBasis");
  ASSERT_TRUE(WaitForPage("FrBasis"));
  auto* page = Page<TFrBasis>("FrBasis");
  ASSERT_TRUE(page);
  int across = -1;
  for (int i = 0; i < page->TC->count(); ++i)
    if (page->TC->tabText(i) == QStringLiteral("Übergreifend")) across = i;
  ASSERT_GE(across, 0) << "no project-wide tab";
  Click(page->TC, page->TC->tabRect(across).center());
  ASSERT_TRUE(WaitFor([&] { return page->TC->currentIndex() == across; }));
  QTreeWidgetItem *conflict = nullptr, *clean = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    conflict = Node(page->PTV, QStringLiteral("Konflikt"));
    clean = Node(page->PTV, QStringLiteral("Ohne Konflikt"));
    return conflict && clean;
  })) << "the project-wide tools are not shown";
  EXPECT_EQ(TFrBasis::PictureIndex(page->Data(conflict)), 10) << "the conflict is not marked";
  EXPECT_EQ(TFrBasis::PictureIndex(page->Data(clean)), 1);
  const QImage marked = conflict->icon(0).pixmap(16, 16).toImage();
  EXPECT_FALSE(marked.isNull());
  EXPECT_NE(marked, clean->icon(0).pixmap(16, 16).toImage()) << "the conflict looks like any tool";
  EndProgram();
}

// --- the browser page on a local server ---

// A small web server standing for the internet (asked as a proxy): "/" and "/zwei" are pages whose whole body is a
// link to the next page; "/langsam" is taken and never answered.
class TLocalWeb : public QObject {
 public:
  TLocalWeb() {
    EXPECT_TRUE(fServer.listen(QHostAddress::LocalHost));
    QObject::connect(&fServer, &QTcpServer::newConnection, this, [this] {
      while (QTcpSocket* s = fServer.nextPendingConnection()) {
        s->setParent(this);
        QObject::connect(s, &QTcpSocket::readyRead, this, [this, s] { Answer(s); });
      }
    });
  }
  quint16 Port() const { return fServer.serverPort(); }
  int SlowRequests() const { return fSlow; }

 private:
  static QByteArray PageOf(const char* title, const char* next) {
    return QByteArray("<html><head><title>") + title +
           "</title></head><body style=\"margin:0\"><a href=\"" + next +
           "\" style=\"display:block;width:100%;height:100vh;font-size:40px\">weiter</a></body></html>";
  }
  void Answer(QTcpSocket* s) {
    QByteArray& request = fRequests[s];
    request += s->readAll();
    if (!request.contains("\r\n\r\n")) return;
    if (request.startsWith("CONNECT")) {  // an encrypted address: not served here
      s->write("HTTP/1.1 502 Bad Gateway\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
      s->disconnectFromHost();
      return;
    }
    // Asked as a proxy: the request names the whole address.
    const QUrl url(QString::fromLatin1(request.split(' ').value(1)));
    const QByteArray path = url.path().isEmpty() ? QByteArray("/") : url.path().toLatin1();
    QByteArray body;
    if (path == "/langsam") {
      ++fSlow;
      return;  // held open, never answered
    }
    if (path == "/zwei")
      body = PageOf("Zweite Seite", "/langsam");
    else if (path == "/")
      body = PageOf("Startseite", "/zwei");
    QByteArray head = body.isEmpty() ? "HTTP/1.1 404 Not Found\r\n" : "HTTP/1.1 200 OK\r\n";
    head += "Content-Type: text/html; charset=utf-8\r\nConnection: close\r\nContent-Length: " +
            QByteArray::number(body.size()) + "\r\n\r\n";
    s->write(head + body);
    s->disconnectFromHost();
  }
  QTcpServer fServer;
  std::map<QTcpSocket*, QByteArray> fRequests;
  int fSlow = 0;
};

TEST_F(Logic, TheBrowserPageGoesBackAndForwardAndStopsALoad) {
  TLocalWeb web;
  RouteWebTo(web.Port());
  StartWithProject();
  MenuCommand({"Hilfe1", "zbBarButton2"});
  ASSERT_TRUE(WaitForPage("FrBrowser"));
  auto* page = Page<TFrBrowser>("FrBrowser");
  ASSERT_TRUE(page && page->WB);
  constexpr int kLoad = 60000;
  // The programme's homepage, from the local server.
  const auto title = [page] { return page->SP->Panel(0)->Text(); };
  const auto still = [page] { return !page->WB->Busy() && !page->BS->isEnabled() && !page->SP->Panel(1)->Enabled(); };
  // The programme's homepage (an encrypted address the local server does not serve) is shown
  // first; then the page goes to a page of the local server.
  ASSERT_TRUE(WaitFor(still, kLoad)) << "the homepage did not finish";
  page->WB->Navigate(QUrl(QStringLiteral("http://zyn.test/")));
  ASSERT_TRUE(WaitFor([&] { return title().endsWith(QStringLiteral("Startseite")) && still(); }, kLoad))
      << title().toStdString();
  EXPECT_FALSE(page->BN->isEnabled());

  // The link to the second page.
  Click(page->WB);
  ASSERT_TRUE(WaitFor([&] { return title().endsWith(QStringLiteral("Zweite Seite")) && still(); }, kLoad))
      << title().toStdString();
  ASSERT_TRUE(WaitFor([&] { return page->BP->isEnabled(); }));
  EXPECT_FALSE(page->BN->isEnabled());
  Click(page->BP);
  ASSERT_TRUE(WaitFor([&] { return title().endsWith(QStringLiteral("Startseite")) && still(); }, kLoad))
      << title().toStdString();
  ASSERT_TRUE(WaitFor([&] { return page->BN->isEnabled(); }));
  Click(page->BN);
  ASSERT_TRUE(WaitFor([&] { return title().endsWith(QStringLiteral("Zweite Seite")) && still(); }, kLoad))
      << title().toStdString();
  EXPECT_TRUE(WaitFor([&] { return !page->BN->isEnabled(); }));

  // The link to a page that never comes: stop and gauge run until the stop button ends the load.
  Click(page->WB);
  ASSERT_TRUE(WaitFor([&] { return web.SlowRequests() > 0 && page->WB->Busy(); }, kLoad));
  EXPECT_TRUE(page->BS->isEnabled());
  EXPECT_TRUE(page->SP->Panel(1)->Enabled());
  Click(page->BS);
  EXPECT_TRUE(WaitFor(still, kLoad)) << "the stop button did not end the load";
  EndProgram();
}

// --- the group page: a dimmer channel dropped into a switching group ---

TEST_F(Logic, TheGroupPageRefusesADimmerChannelInASwitchingGroup) {
  StartWithProject();
  SideBarClick("FrGruppen");
  ASSERT_TRUE(WaitForPage("FrGruppen"));
  auto* page = Page<TFrGruppen>("FrGruppen");
  ASSERT_TRUE(page);
  QTreeWidgetItem* group = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (group = page->MTV->topLevelItemCount() > 0 ? page->MTV->topLevelItem(0) : nullptr); }));
  ClickNode(page->MTV, group);
  ASSERT_TRUE(WaitFor([&] { return page->AddBtn->isEnabled(); }));
  Click(page->AddBtn);
  TFrGruppenKanal* channels = page->Kanal;
  ASSERT_TRUE(WaitFor([&] { return channels->isVisible() && channels->MTV->topLevelItemCount() > 0; }));
  ASSERT_EQ(channels->KLV->topLevelItemCount(), 1);
  QTreeWidgetItem* dimmer = nullptr;
  for (QTreeWidgetItemIterator it(channels->MTV); *it && !dimmer; ++it)
    if ((*it)->parent() && (*it)->text(0).startsWith(QStringLiteral("DSA.03.00"))) dimmer = *it;
  ASSERT_TRUE(dimmer) << "no dimmer channel offered";
  channels->MTV->scrollToItem(dimmer);

  QString message;
  OnDialog(QStringLiteral("kann nicht in diese Gruppe"), [&](QWidget* box) {
    message = DialogText(box);
    ClickButton(box, QStringLiteral("OK"));
  });
  Drag(channels->MTV->viewport(), channels->MTV->visualItemRect(dimmer).center(), channels->KLV->viewport(),
       channels->KLV->viewport()->rect().center());
  ASSERT_TRUE(WaitForDialogsHandled()) << "the dimmer channel was refused without a word";
  EXPECT_TRUE(message.contains(QStringLiteral("DSA.03.00"))) << message.toStdString();
  EXPECT_TRUE(message.contains(QStringLiteral("Ausgangsfunktionen Dimmer"))) << message.toStdString();
  EXPECT_TRUE(message.contains(QStringLiteral("Ausgangsfunktionen Schalter"))) << message.toStdString();
  EXPECT_EQ(channels->KLV->topLevelItemCount(), 1) << "the dimmer channel joined the switching group";
  EndProgram();
}

}  // namespace
}  // namespace zyn::test
