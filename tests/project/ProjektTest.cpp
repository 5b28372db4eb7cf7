#include "model/base/Cp1252.h"
#include "model/base/Filer.h"
#include "model/base/Streams.h"
#include "model/base/ZStream.h"
#include "project/SystemHelpers.h"
#include "tests/project/ProjectFixture.h"
#include "tests/project/ProjectFixtureParts.h"
#include "tests/support/Files.h"
#include "tests/support/TestHome.h"
#include "visu/VisuProject.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace zyn {
namespace {

namespace fs = std::filesystem;

// The offset of the first differing byte, -1 when equal.
long FirstDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i)
    if (a[i] != b[i]) return static_cast<long>(i);
  return a.size() == b.size() ? -1 : static_cast<long>(n);
}

class ProjektTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(basis.Load(test::BuiltSystemData()));
    ASSERT_EQ(basis.Problems().size(), 0u);
  }
  std::string File(const std::string& name) const { return folder.File(name); }

  const test::TempFolder folder{"projekt"};
  const fs::path dir = folder.Dir();
  // Keeps the trash inside the test folder.
  const test::ScopedEnv trash{"XDG_DATA_HOME", (dir / "xdg").string()};
  TBasisDaten basis;
  TUniqueNames names;
};

TEST_F(ProjektTest, RichProjectRoundTripsByteIdenticalInBothForms) {
  TZYNProjekt p;
  test::FillProject(p, basis, names, 4, 1);
  test::AddDisplayAndPage(p);
  ASSERT_EQ(p.Steuermodule.Count(), 4);
  ASSERT_GE(p.Steuermodule.GetSteuermodul(0)->Module.Count(), 8);

  ASSERT_TRUE(p.SaveProjectFile(File("a.zpf"), false));
  p.SaveZippedProjectFile(File("a.zcf"));
  const std::vector<uint8_t> plain = ReadFileBytes(File("a.zpf"));
  // The stream starts with the integer tag and "3NYZ".
  ASSERT_GE(plain.size(), 5u);
  EXPECT_EQ(std::vector<uint8_t>(plain.begin(), plain.begin() + 5), (std::vector<uint8_t>{4, '3', 'N', 'Y', 'Z'}));
  const std::vector<uint8_t> packed = ReadFileBytes(File("a.zcf"));
  EXPECT_EQ(packed[0], 0x78);
  EXPECT_EQ(packed[1], 0xDA);          // zlib header of the maximum level
  EXPECT_EQ(packed, p.ZippedBytes());  // packed while written: the same bytes as packed whole

  TZYNProjekt q;
  q.LoadProjectFile(File("a.zpf"));
  EXPECT_FALSE(q.Zipped);
  ASSERT_TRUE(q.SaveProjectFile(File("b.zpf"), false));
  EXPECT_EQ(FirstDifference(ReadFileBytes(File("b.zpf")), plain), -1);

  TZYNProjekt z;
  z.LoadZippedProjectFile(File("a.zcf"));
  EXPECT_TRUE(z.Zipped);
  EXPECT_EQ(z.StreamBytes(), plain);
  z.SaveZippedProjectFile(File("b.zcf"));
  EXPECT_EQ(ReadFileBytes(File("b.zcf")), packed);

  EXPECT_EQ(z.ProjektGUID, p.ProjektGUID);
  EXPECT_EQ(z.ProjektDaten.ProjektName, p.ProjektDaten.ProjektName);
  EXPECT_EQ(z.VisuProject().PageCount(), 1);
  EXPECT_EQ(test::DisplayCount(z), 1);
  EXPECT_EQ(z.GetObjectCount(), p.GetObjectCount());

  // An independent inflater gives the plain file's bytes.
  const std::string cmd =
      "python3 -c \"import zlib,sys; a=open(sys.argv[1],'rb').read(); "
      "b=open(sys.argv[2],'rb').read(); sys.exit(0 if zlib.decompress(a)==b else 1)\" " +
      File("a.zcf") + " " + File("a.zpf");
  EXPECT_EQ(std::system(cmd.c_str()), 0);
}

TEST_F(ProjektTest, ProbeAndMagic) {
  TZYNProjekt p;
  test::FillProject(p, basis, names, 1, 1);
  p.SaveProjectFile(File("p.zpf"), false);
  p.SaveZippedProjectFile(File("p.zcf"));
  EXPECT_TRUE(TZYNProjekt::IsProjectFile(File("p.zpf"), false));
  EXPECT_TRUE(TZYNProjekt::IsProjectFile(File("p.zcf"), true));
  EXPECT_FALSE(TZYNProjekt::IsProjectFile(File("p.zcf"), false));
  EXPECT_FALSE(TZYNProjekt::IsProjectFile(File("p.zpf"), true));
  EXPECT_THROW(TZYNProjekt::IsProjectFile(File("fehlt.zpf"), false), EReadError);

  // Wrong signature: reported, and the project refuses to be saved afterwards.
  std::vector<uint8_t> bytes = ReadFileBytes(File("p.zpf"));
  bytes[1] = '4';
  WriteFileAtomic(File("x.zpf"), bytes.data(), bytes.size());
  EXPECT_FALSE(TZYNProjekt::IsProjectFile(File("x.zpf"), false));
  TZYNProjekt q;
  EXPECT_THROW(q.LoadProjectFile(File("x.zpf")), EReadError);
  EXPECT_TRUE(q.Damaged());
  EXPECT_THROW(q.SaveProjectFile(File("x.zpf"), false), EWriteError);
  EXPECT_EQ(ReadFileBytes(File("x.zpf")), bytes);
}

TEST_F(ProjektTest, Zyn2FileLoadsWithoutVisualisationAndOldFileWithoutGuid) {
  TZYNProjekt p;
  test::FillProject(p, basis, names, 1, 1);
  // A "ZYN2" stream: the same values without the visualisation part, and without a GUID.
  TMemoryStream s;
  {
    TWriter w(s);
    w.WriteInteger(('Z' << 24) | ('Y' << 16) | ('N' << 8) | '2');
    p.CurrentFrame.WriteData(w);
    for (const auto& [text, number] : p.Navigation) {
      w.WriteString(text);
      w.WriteInteger(number);
    }
    for (int i = 0; i < 2; ++i) w.WriteString("");
    w.WriteDate(1.0);
    w.WriteDate(2.0);
    for (int i = 0; i < 5; ++i) w.WriteString("");
    w.WriteString("K1");
    w.WriteDate(3.0);
    for (int i = 0; i < 11; ++i) w.WriteString("");
    p.Steuermodule.WriteData(w);
    p.Tools.WriteData(w);
    test::WriteDisplayPart(p, w);
  }
  s.SaveToFile(File("old.zpf"));
  TZYNProjekt q;
  q.ProjektGUID = "{unverändert}";
  q.LoadProjectFile(File("old.zpf"));
  EXPECT_EQ(q.ProjektGUID, "{unverändert}");
  EXPECT_EQ(q.KundenDaten.KundenNr, "K1");
  EXPECT_EQ(q.VisuProject().PageCount(), 0);
  EXPECT_EQ(q.Steuermodule.Count(), 1);
  EXPECT_FALSE(q.Damaged());
}

TEST_F(ProjektTest, DamagedVisualisationIsReportedAndNeverSavedBack) {
  TZYNProjekt p;
  test::FillProject(p, basis, names, 1, 1);
  test::AddDisplayAndPage(p);
  std::vector<uint8_t> bytes = p.StreamBytes();
  bytes.resize(bytes.size() - 3);  // the visualisation part is cut short
  WriteFileAtomic(File("cut.zpf"), bytes.data(), bytes.size());
  TZYNProjekt q;
  EXPECT_THROW(q.LoadProjectFile(File("cut.zpf")), EReadError);
  EXPECT_THROW(q.StreamBytes(), EWriteError);
}

TEST_F(ProjektTest, SaveWithQuestionAndTrash) {
  TZYNProjekt p;
  test::FillProject(p, basis, names, 1, 1);
  const std::vector<uint8_t> old = {1, 2, 3};
  WriteFileAtomic(File("q.zpf"), old.data(), old.size());
  std::string asked;
  p.OnQuestion = [&](const std::string& text) {
    asked = text;
    return 7;
  };
  EXPECT_FALSE(p.SaveProjectFile(File("q.zpf"), true));
  EXPECT_EQ(ReadFileBytes(File("q.zpf")), old);
  EXPECT_NE(asked.find("existiert schon.\rSoll"), std::string::npos);
  // The question is model text: a file name with umlauts appears in Windows-1252, not as UTF-8.
  WriteFileAtomic(File("Jörg.zpf"), old.data(), old.size());
  EXPECT_FALSE(p.SaveProjectFile(File("Jörg.zpf"), true));
  EXPECT_NE(asked.find(Utf8ToAnsi("\"" + File("Jörg.zpf") + "\" existiert schon.")), std::string::npos) << asked;
  EXPECT_EQ(asked.find("\xC3"), std::string::npos);

  p.OnQuestion = [](const std::string&) { return 6; };
  EXPECT_TRUE(p.SaveProjectFile(File("q.zpf"), true));
  EXPECT_EQ(ReadFileBytes(File("q.zpf")), p.StreamBytes());
  // The old content went to the freedesktop trash with its info file.
  const fs::path trash = dir / "xdg" / "Trash";
  EXPECT_EQ(ReadFileBytes((trash / "files" / "q.zpf").string()), old);
  std::ifstream info(trash / "info" / "q.zpf.trashinfo");
  std::string first;
  std::getline(info, first);
  EXPECT_EQ(first, "[Trash Info]");

  // DeleteToRecycleBin moves a file; a second file of the same name gets its own trash name.
  WriteFileAtomic(File("q.zpf"), old.data(), old.size());
  EXPECT_TRUE(DeleteToRecycleBin(File("q.zpf")));
  EXPECT_FALSE(fs::exists(File("q.zpf")));
  EXPECT_TRUE(fs::exists(trash / "files" / "q.zpf.1"));
  EXPECT_FALSE(DeleteToRecycleBin(File("fehlt.zpf")));
}

TEST_F(ProjektTest, InterruptedSaveLeavesOldOrNewFileComplete) {
  TZYNProjekt p;
  test::FillProject(p, basis, names, 2, 1);
  ASSERT_TRUE(p.SaveProjectFile(File("k.zpf"), false));
  const std::vector<uint8_t> oldBytes = ReadFileBytes(File("k.zpf"));
  p.ProjektDaten.ProjektName = "Neu";
  const std::vector<uint8_t> newBytes = p.StreamBytes();
  for (int step = 1; step <= 3; ++step) {
    WriteFileAtomic(File("k.zpf"), oldBytes.data(), oldBytes.size());
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      p.OnSaveStep = [step](int reached) {
        if (reached == step) ::kill(::getpid(), SIGKILL);
      };
      p.SaveProjectFile(File("k.zpf"), false);
      _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << step;
    const std::vector<uint8_t> now = ReadFileBytes(File("k.zpf"));
    EXPECT_TRUE(now == oldBytes || now == newBytes) << step;
    EXPECT_EQ(now == newBytes, step == 3) << step;
  }
}

// The names in the folder other than the given ones.
std::vector<std::string> OtherFiles(const fs::path& dir, std::initializer_list<std::string> keep) {
  std::vector<std::string> others;
  for (const auto& e : fs::directory_iterator(dir)) {
    const std::string name = e.path().filename().string();
    if (std::find(keep.begin(), keep.end(), name) == keep.end()) others.push_back(name);
  }
  return others;
}

TEST_F(ProjektTest, SaveKeepsALinkTheModeAndTheFolderClean) {
  TZYNProjekt p;
  test::FillProject(p, basis, names, 1, 1);
  // Through a symbolic link: the file it names gets the project, the link stays a link.
  fs::create_directories(dir / "ablage");
  ASSERT_TRUE(p.SaveProjectFile((dir / "ablage" / "echt.zpf").string(), false));
  fs::create_symlink(dir / "ablage" / "echt.zpf", dir / "link.zpf");
  p.ProjektDaten.ProjektName = "Geaendert";
  ASSERT_TRUE(p.SaveProjectFile(File("link.zpf"), false));
  EXPECT_TRUE(fs::is_symlink(dir / "link.zpf"));
  EXPECT_EQ(ReadFileBytes((dir / "ablage" / "echt.zpf").string()), p.StreamBytes());
  p.SaveZippedProjectFile(File("link.zpf"));
  EXPECT_TRUE(fs::is_symlink(dir / "link.zpf"));

  // A file readable by its owner only stays so, in both forms.
  for (const char* name : {"privat.zpf", "privat.zcf"}) {
    ASSERT_TRUE(p.SaveProjectFile(File(name), false));
    fs::permissions(File(name), fs::perms::owner_read | fs::perms::owner_write);
    if (std::string(name).ends_with(".zcf"))
      p.SaveZippedProjectFile(File(name));
    else
      ASSERT_TRUE(p.SaveProjectFile(File(name), false));
    EXPECT_EQ(fs::status(File(name)).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write)
        << name;
  }
  EXPECT_EQ(OtherFiles(dir, {"ablage", "link.zpf", "privat.zpf", "privat.zcf", "xdg"}), std::vector<std::string>{});

  // A save that fails names the project, not a temporary file.
  try {
    p.SaveProjectFile(File("fehlt/p.zpf"), false);
    FAIL() << "saved into a missing folder";
  } catch (const EWriteError& e) {
    EXPECT_NE(std::string(e.what()).find("fehlt/p.zpf\""), std::string::npos) << e.what();
    EXPECT_EQ(std::string(e.what()).find(".tmp"), std::string::npos) << e.what();
  }
}

TEST_F(ProjektTest, TheTrashKeepsABoundedNumberOfCopies) {
  TZYNProjekt p;
  test::FillProject(p, basis, names, 1, 1);
  for (int i = 0; i < kTrashCopiesPerFile + 3; ++i) ASSERT_TRUE(p.SaveProjectFile(File("t.zpf"), false));
  int copies = 0;
  for (const auto& e : fs::directory_iterator(dir / "xdg" / "Trash" / "info"))
    copies += e.path().extension() == ".trashinfo";
  EXPECT_EQ(copies, kTrashCopiesPerFile);
  int files = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir / "xdg" / "Trash" / "files")) ++files;
  EXPECT_EQ(files, kTrashCopiesPerFile);
}

// Saves killed at random moments: the project file is always whole (the old or the new one), and
// what the killed saves left beside it is gone after the next open.
TEST_F(ProjektTest, KilledSavesLeaveOneWholeProjectAndNoCopyAfterTheNextOpen) {
  TZYNProjekt p;
  test::FillProject(p, basis, names, 4, 2);
  ASSERT_TRUE(p.SaveProjectFile(File("k.zpf"), false));
  const std::vector<uint8_t> oldBytes = ReadFileBytes(File("k.zpf"));
  p.ProjektDaten.ProjektName = "Neu";
  const std::vector<uint8_t> newBytes = p.StreamBytes();
  // Earlier builds left a copy ".~zyn" beside the project; it goes too.
  WriteFileAtomic(File("k.zpf.~zyn"), newBytes.data(), newBytes.size());
  std::srand(7);
  int interrupted = 0;
  for (int run = 0; run < 40; ++run) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (;;) {
        p.SaveProjectFile(File("k.zpf"), false);
        p.SaveZippedProjectFile(File("k.zpf"));
        p.SaveProjectFile(File("k.zpf"), false);
      }
    }
    ::usleep(static_cast<useconds_t>(200 + std::rand() % 20000));
    ::kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    const std::vector<uint8_t> now = ReadFileBytes(File("k.zpf"));
    if (now != oldBytes && now != newBytes) {
      // Killed between the packed save and the next plain one: the packed project is whole.
      TZYNProjekt q;
      q.BasisDaten = &basis;
      ASSERT_NO_THROW(q.LoadZippedProjectFile(File("k.zpf"))) << run;
      EXPECT_EQ(q.StreamBytes(), newBytes) << run;
    }
    interrupted += OtherFiles(dir, {"k.zpf", "xdg"}).empty() ? 0 : 1;
  }
  EXPECT_GT(interrupted, 0) << "no save was ever caught midway";
  TZYNProjekt q;
  q.BasisDaten = &basis;
  if (TZYNProjekt::IsProjectFile(File("k.zpf"), false))
    q.LoadProjectFile(File("k.zpf"));
  else
    q.LoadZippedProjectFile(File("k.zpf"));
  EXPECT_EQ(OtherFiles(dir, {"k.zpf", "xdg"}), std::vector<std::string>{});
}

// A damaged module record in the second control module: the load names the control module and
// the list; the parts read before it can be kept as a new project and saved under a new name.
TEST_F(ProjektTest, ADamagedModuleRecordLeavesTheReadPartsToRescue) {
  TZYNProjekt p;
  test::FillProject(p, basis, names, 2, 1);
  ASSERT_TRUE(p.SaveProjectFile(File("d.zpf"), false));
  std::vector<uint8_t> bytes = ReadFileBytes(File("d.zpf"));
  const TSteuermodul* second = p.Steuermodule.GetSteuermodul(1);
  const std::string stmName = second->InternalName();
  const std::string modName = second->Module.GetModul(0)->InternalName();
  auto stmAt = std::search(bytes.begin(), bytes.end(), stmName.begin(), stmName.end());
  ASSERT_NE(stmAt, bytes.end());
  auto modAt = std::search(stmAt, bytes.end(), modName.begin(), modName.end());
  ASSERT_NE(modAt, bytes.end());
  ASSERT_EQ(modAt[-2], 6);  // the short string of the module's name
  modAt[-2] = 11;           // a set where the name belongs
  WriteFileAtomic(File("d.zpf"), bytes.data(), bytes.size());

  TZYNProjekt q;
  try {
    q.LoadProjectFile(File("d.zpf"));
    FAIL() << "a damaged module record was read";
  } catch (const EProjectPartlyRead& e) {
    EXPECT_NE(std::string(e.what()).find("STM.01, Module"), std::string::npos) << e.what();
  }
  EXPECT_TRUE(q.Damaged());
  EXPECT_THROW(q.StreamBytes(), EWriteError);  // nothing half-read is written unasked
  ASSERT_GE(q.Steuermodule.Count(), 1);
  EXPECT_EQ(q.Steuermodule.GetSteuermodul(0)->Module.Count(), p.Steuermodule.GetSteuermodul(0)->Module.Count());

  q.KeepReadParts();
  EXPECT_TRUE(q.FileName.empty());
  EXPECT_TRUE(q.Modified);
  ASSERT_TRUE(q.SaveProjectFile(File("gerettet.zpf"), false));
  TZYNProjekt r;
  r.LoadProjectFile(File("gerettet.zpf"));
  EXPECT_EQ(r.Steuermodule.GetSteuermodul(0)->Module.Count(), p.Steuermodule.GetSteuermodul(0)->Module.Count());
  EXPECT_EQ(ReadFileBytes(File("d.zpf")), bytes);  // the damaged file is untouched
}

TEST_F(ProjektTest, ADisplayKeyWithADamagedValueLeavesTheRestOfTheProjectRead) {
  TZYNProjekt p;
  test::FillProject(p, basis, names, 1, 1);
  test::AddDisplayAndPage(p);
  test::AddDisplayJumpKey(p);
  ASSERT_TRUE(p.SaveProjectFile(File("k.zpf"), false));
  std::vector<uint8_t> bytes = ReadFileBytes(File("k.zpf"));
  // The jump key's function: kind 1, jump parameter 4, target "ZIEL". The parameter becomes an
  // empty text of the same length.
  const std::vector<uint8_t> function = {0x02, 0x01, 0x02, 0x04, 0x06, 4, 'Z', 'I', 'E', 'L'};
  auto at = std::search(bytes.begin(), bytes.end(), function.begin(), function.end());
  ASSERT_NE(at, bytes.end());
  at[2] = 0x06;
  at[3] = 0x00;
  WriteFileAtomic(File("k.zpf"), bytes.data(), bytes.size());

  TZYNProjekt q;
  ASSERT_NO_THROW(q.LoadProjectFile(File("k.zpf")));
  EXPECT_FALSE(q.Damaged());
  EXPECT_EQ(test::DisplayCount(q), 1);
  EXPECT_EQ(test::DisplayScreens(q), 2u);
  EXPECT_EQ(test::DisplaySkipped(q), 1u);
  EXPECT_EQ(q.VisuProject().PageCount(), 1);
  EXPECT_NE(test::DisplayWarning(q).find("Taste F3: Funktion"), std::string::npos) << test::DisplayWarning(q);
}

TEST_F(ProjektTest, LookupsAndModuleTable) {
  TZYNProjekt p;
  test::FillProject(p, basis, names, 2, 1);
  TSteuermodul* stm1 = p.Steuermodule.GetSteuermodul(1);
  TModul* m = stm1->Module.GetModul(2);
  TSteuermodul* found = nullptr;
  EXPECT_EQ(p.FindModul(m->InternalName(), &found), m);
  EXPECT_EQ(found, stm1);
  TModul* holder = nullptr;
  TAusgang* out = nullptr;
  for (int i = 0; i < stm1->Module.Count() && !out; ++i)
    if (stm1->Module.GetModul(i)->Ausgaenge().Count() > 0) out = stm1->Module.GetModul(i)->Ausgaenge().GetItem(0);
  ASSERT_NE(out, nullptr);
  EXPECT_EQ(p.FindAusgang(out->InternalName(), &found, &holder), out);
  EXPECT_EQ(found, stm1);
  EXPECT_EQ(p.FindMerkerByAddress(1, 3), stm1->Merker.FindByAddress(3));
  EXPECT_EQ(p.FindMerkerByAddress(7, 3), nullptr);
  EXPECT_EQ(p.FindText(1, 0), stm1->Texte.GetAnzeigetext(0));
  EXPECT_EQ(p.FindUhrByDisplayName("Uhr 2", &found), p.Steuermodule.GetSteuermodul(0)->Uhren.GetUhr(2));
  EXPECT_EQ(p.Steuermodule.FindByAddress(4), nullptr);
  EXPECT_EQ(stm1->GetAddressText(), "STM.01");

  // Module table: base class 2 at address 5 and base class 0 at address 31 give 2, 69, 31.
  TSteuermodul t;
  for (auto [cls, addr] : {std::pair{2, 5}, std::pair{0, 31}}) {
    auto mod = std::make_unique<TModul>();
    mod->InitFromClass(*basis.Katalog.GetClass(0), names);
    mod->BasisKlasse = cls;
    mod->SetAdresse(addr);
    t.Module.Add(std::move(mod));
  }
  std::string message;
  ASSERT_TRUE(t.BuildModuleTable(message));
  EXPECT_EQ(t.ModuleTable[0], 2);
  EXPECT_EQ(t.ModuleTable[1], 69);
  EXPECT_EQ(t.ModuleTable[2], 31);

  // More modules than the table holds are refused with a message.
  TSteuermodul big;
  for (int cls = 0; cls < 3; ++cls)
    for (int a = 0; a < 22; ++a) {
      auto mod = std::make_unique<TModul>();
      mod->InitFromClass(*basis.Katalog.GetClass(0), names);
      mod->BasisKlasse = cls;
      mod->SetAdresse(a);
      big.Module.Add(std::move(mod));
    }
  EXPECT_FALSE(big.BuildModuleTable(message));
  EXPECT_NE(message.find("64"), std::string::npos);
  EXPECT_EQ(big.ModuleTable[0], 0);
}

TEST_F(ProjektTest, DeletionsAndAddressChangesReachEveryControlModule) {
  TZYNProjekt p;
  test::FillProject(p, basis, names, 2, 1);
  TSteuermodul* stm0 = p.Steuermodule.GetSteuermodul(0);
  // A link in control module 1 whose target is a flag of control module 0.
  TSteuermodul* stm1 = p.Steuermodule.GetSteuermodul(1);
  TModul* inputs = stm1->Module.GetModul(0);
  ASSERT_GT(inputs->Eingaenge().Count(), 0);
  auto link = std::make_unique<TVerbindung>();
  link->Target().SetObjType(kObjMerker);
  link->Target().SetStmNummer(0);
  link->Target().SetKanalNummer(4);
  inputs->Eingaenge().GetItem(0)->Verbindungen().Add(std::move(link));
  TLinkReport report;
  EXPECT_EQ(p.FindLinks(report, kObjMerker, 0, 0, 4), 1);

  p.ObjectAddressChanged(0, kObjMerker, nullptr, 4, 9);
  report.clear();
  EXPECT_EQ(p.FindLinks(report, kObjMerker, 0, 0, 9), 1);

  TMerker* merker = stm0->Merker.FindByAddress(4);
  ASSERT_NE(merker, nullptr);
  stm0->Merker.ChangeAddress(merker, 9);
  p.MerkerDeleted(0, *merker);
  report.clear();
  EXPECT_EQ(p.FindLinks(report, kObjMerker, 0, 0, 9), 0);

  // A deleted module takes the links that target it, in every control module.
  TModul* target = nullptr;
  for (int i = 0; i < stm1->Module.Count() && !target; ++i)
    if (stm1->Module.GetModul(i)->Ausgaenge().Count() > 0) target = stm1->Module.GetModul(i);
  report.clear();
  ASSERT_GT(p.FindLinks(report, target->BasisKlasse, 1, target->Adresse(), 0), 0);
  p.ModulDeleted(1, *target);
  report.clear();
  EXPECT_EQ(p.FindLinks(report, target->BasisKlasse, 1, target->Adresse(), 0), 0);
}

class CountingObserver : public TCustomObserver {};

TEST_F(ProjektTest, ObserversAttachAndDetach) {
  TZYNProjekt p;
  test::FillProject(p, basis, names, 2, 1);
  CountingObserver o;
  p.AttachMerkerObserver(&o);
  TMerker* merker = p.Steuermodule.GetSteuermodul(1)->Merker.GetMerker(0);
  EXPECT_EQ(merker->Observers().Count(), 1);
  p.DetachMerkerObserver(&o);
  EXPECT_EQ(merker->Observers().Count(), 0);
  p.AttachModulObserver(&o);
  EXPECT_EQ(p.Steuermodule.GetSteuermodul(0)->Module.GetModul(0)->Observers().Count(), 1);
  p.DetachModulObserver(&o);
  EXPECT_EQ(p.Steuermodule.GetSteuermodul(0)->Module.GetModul(0)->Observers().Count(), 0);
}

TEST_F(ProjektTest, MergeOfSwappedAndMissingControlModules) {
  TZYNProjekt p;
  test::FillProject(p, basis, names, 3, 1);
  TSteuermodulListe copy;
  copy.CopyFrom(p.Steuermodule);
  // Swap the first two in the copy and drop the third.
  TSteuermodul* a = p.Steuermodule.GetSteuermodul(0);
  TSteuermodul* b = p.Steuermodule.GetSteuermodul(1);
  copy.MoveByName(copy.GetSteuermodul(1)->InternalName(), copy.GetSteuermodul(0)->InternalName());
  copy.Remove(copy.GetSteuermodul(2));
  p.Steuermodule.MergeFrom(copy, nullptr);
  ASSERT_EQ(p.Steuermodule.Count(), 2);
  EXPECT_EQ(p.Steuermodule.GetSteuermodul(0), b);
  EXPECT_EQ(p.Steuermodule.GetSteuermodul(1), a);
  EXPECT_EQ(p.Steuermodule.Adressen.FirstFree(), 2);
}

}  // namespace
}  // namespace zyn
