#include "model/Observer.h"

#include "model/BaseObject.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace zyn {
namespace {

TEST(ObserverList, RegistrationsAreCounted) {
  TObserverList list;
  TCustomObserver a;
  TCustomObserver b;
  EXPECT_EQ(list.RegisterObserver(&a), 0);
  EXPECT_EQ(list.RegisterObserver(&b), 1);
  EXPECT_EQ(list.RegisterObserver(&a), 0);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Node(0).RefCount(), 2);
  EXPECT_EQ(list.UnregisterObserver(&a), 0);
  EXPECT_EQ(list.IndexOfObserver(&a), 0);
  EXPECT_EQ(list.UnregisterObserver(&a), 0);
  EXPECT_EQ(list.IndexOfObserver(&a), -1);
  EXPECT_EQ(list.Count(), 1);
  TCustomObserver never;
  EXPECT_EQ(list.UnregisterObserver(&never), -1);
  EXPECT_EQ(list.Count(), 1);
}

TEST(ObserverList, ValueChangedAndDeletedSwallowFailuresViewChangedDoesNot) {
  TObserverList list;
  TCustomObserver failing;
  TCustomObserver good;
  int told = 0;
  failing.OnClientValueChanged = [](TBaseObject*, int32_t, int32_t) { throw std::runtime_error("x"); };
  failing.OnClientDeleted = [](TBaseObject*) { throw std::runtime_error("x"); };
  failing.OnViewChanged = [](TBaseObject*, const std::string&, const std::string&) { throw std::runtime_error("x"); };
  good.OnClientValueChanged = [&](TBaseObject*, int32_t o, int32_t n) { told += (o == 1 && n == 2) ? 1 : 100; };
  good.OnClientDeleted = [&](TBaseObject*) { told += 10; };
  good.OnViewChanged = [&](TBaseObject*, const std::string&, const std::string&) { told += 1000; };
  list.RegisterObserver(&failing);
  list.RegisterObserver(&good);
  list.BroadcastValueChanged(nullptr, 1, 2);
  list.BroadcastDeleted(nullptr);
  EXPECT_EQ(told, 11);
  EXPECT_THROW(list.BroadcastViewChanged(nullptr, "a", "b"), std::runtime_error);
  EXPECT_EQ(told, 11);
}

TEST(ZYNBaseObject, AttachDetachAndRenameNotify) {
  TZYNBaseObject object;
  object.SetDisplayName("Licht");
  TCustomObserver observer;
  std::vector<std::string> calls;
  observer.OnObserverRegistered = [&](TBaseObject* s, const std::string& o, const std::string& n) {
    calls.push_back("reg:" + o + ">" + n + (s == &object ? "" : "?"));
  };
  observer.OnObserverUnregistered = [&](TBaseObject*) { calls.push_back("unreg"); };
  observer.OnViewChanged = [&](TBaseObject* s, const std::string& o, const std::string& n) {
    calls.push_back("view:" + o + ">" + n + ":" + static_cast<TZYNBaseObject*>(s)->DisplayName());
  };
  object.AttachObserver(&observer);
  object.AttachObserver(&observer);
  object.SetDisplayName("Licht");  // unchanged: nothing
  object.SetDisplayName("Flur");
  object.DetachObserver(&observer);
  object.DetachObserver(&observer);
  object.DetachObserver(&observer);
  const std::vector<std::string> expected = {"reg:>Licht", "reg:>Licht", "view:Licht>Flur:Licht", "unreg"};
  EXPECT_EQ(calls, expected);
}

TEST(ZYNBaseObject, FailingRenameObserverKeepsOldName) {
  TZYNBaseObject object;
  object.SetDisplayName("alt");
  TCustomObserver observer;
  observer.OnViewChanged = [](TBaseObject*, const std::string&, const std::string&) {
    throw std::runtime_error("nein");
  };
  object.AttachObserver(&observer);
  EXPECT_THROW(object.SetDisplayName("neu"), std::runtime_error);
  EXPECT_EQ(object.DisplayName(), "alt");
}

}  // namespace
}  // namespace zyn
