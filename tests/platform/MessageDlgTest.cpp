#include "platform/MessageDlg.h"

#include "tests/support/AppFixture.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace zyn {
namespace {

using test::EnsureApp;

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
      {MB_CANCEL, "Abbrechen", IDCANCEL, {"Abbrechen"}},
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

TEST(MessageDlg, ButtonCaptionsCanBeReplaced) {
  EnsureApp();
  QStringList seen;
  PressLater(QStringLiteral("Yes"), &seen);
  const auto english = [](const QString& l) { return l == "Ja" ? QString("Yes") : l == "Nein" ? QString("No") : l; };
  EXPECT_EQ(MessageDlg(nullptr, "Frage?", "ZYN", MB_YESNO, english), IDYES);
  seen.sort();
  EXPECT_EQ(seen, (QStringList{"No", "Yes"}));
}

TEST(MessageDlg, HookAnswersWithoutShowingABox) {
  EnsureApp();
  std::vector<std::pair<QString, unsigned>> asked;
  const TMessageDlgHook before = SetMessageDlgHook([&](const QString& text, const QString&, unsigned type) {
    asked.emplace_back(text, type);
    return IDNO;
  });
  EXPECT_FALSE(before);
  EXPECT_EQ(MessageDlg(nullptr, "Speichern?", "ZYN", MB_YESNOCANCEL | MB_ICONQUESTION), IDNO);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].second, unsigned(MB_YESNOCANCEL | MB_ICONQUESTION));
  EXPECT_TRUE(SetMessageDlgHook({}));  // the previous hook comes back
}

}  // namespace
}  // namespace zyn
