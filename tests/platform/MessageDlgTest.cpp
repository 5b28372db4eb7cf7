#include "platform/MessageDlg.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace zyn {
namespace {

void EnsureApp() {
  if (!qApp) {
    static int argc = 1;
    static char name[] = "platform_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);  // lives until the process ends
  }
}

// Presses the button with the given label of the box that opens next and reports the labels seen.
void PressLater(const QString& label, QStringList* seen) {
  QTimer::singleShot(0, [label, seen] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    for (QAbstractButton* b : box->buttons()) {
      seen->append(b->text());
      if (b->text() == label) b->click();
    }
  });
}

TEST(MessageDlg, GermanButtonsGiveThePlatformResults) {
  EnsureApp();
  struct Case {
    unsigned type;
    const char* press;
    int result;
    QStringList labels;
  };
  const Case cases[] = {
      {MB_YESNOCANCEL, "Nein", IDNO, {"Ja", "Nein", "Abbrechen"}},
      {MB_YESNOCANCEL, "Ja", IDYES, {"Ja", "Nein", "Abbrechen"}},
      {MB_YESNO, "Ja", IDYES, {"Ja", "Nein"}},
      {MB_OKCANCEL, "Abbrechen", IDCANCEL, {"OK", "Abbrechen"}},
      {MB_OK, "OK", IDOK, {"OK"}},
  };
  for (const Case& c : cases) {
    QStringList seen;
    PressLater(QString::fromUtf8(c.press), &seen);
    EXPECT_EQ(MessageDlg(nullptr, QStringLiteral("Frage?"), QStringLiteral("ZYN"), c.type | MB_ICONQUESTION), c.result);
    seen.sort();
    QStringList expected = c.labels;
    expected.sort();
    EXPECT_EQ(seen, expected);
  }
}

}  // namespace
}  // namespace zyn
