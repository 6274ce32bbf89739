// The command stack and the system registry's service objects.
#include <gtest/gtest.h>

#include "host/Session.h"
#include "zcadsapi.h"

namespace {

int calls = 0;
void handlerA() { ++calls; }
void handlerB() { calls += 10; }

ZcEdCommandStack* stack() {
    return ZcEdCommandStack::cast(zcrxSysRegistry()->at(L"ZCAD_REGISTERED_COMMANDS"));
}

TEST(RuntimeCommandStackTest, ServiceObjectsHaveTheirClasses) {
    ZcRxObject* commands = zcrxSysRegistry()->at(L"ZCAD_REGISTERED_COMMANDS");
    ZcRxObject* linker = zcrxSysRegistry()->at(L"DynamicLinker");
    ASSERT_NE(commands, nullptr);
    ASSERT_NE(linker, nullptr);
    EXPECT_TRUE(commands->isKindOf(ZcEdCommandStack::desc()));
    EXPECT_EQ(ZcRxDynamicLinker::cast(commands), nullptr);
    EXPECT_EQ(ZcEdCommandStack::cast(linker), nullptr);
    EXPECT_NE(ZcRxDynamicLinker::cast(linker), nullptr);
    EXPECT_EQ(zcrxSysRegistry()->at(L"NoSuchService"), nullptr);
    EXPECT_EQ(zcrxSysRegistry()->at(L"dynamiclinker"), nullptr);  // keys are case-sensitive
}

TEST(RuntimeCommandStackTest, AddLookupAndRemoveGroup) {
    host::Session session;
    ZcEdCommand* returned = nullptr;
    ASSERT_EQ(stack()->addCommand(L"Grp", L"Alpha", L"AlphaLocal", 1, handlerA, nullptr, -1,
                                  nullptr, &returned),
              Zcad::eOk);
    ASSERT_NE(returned, nullptr);
    EXPECT_EQ(stack()->addCommand(L"Grp", L"Beta", nullptr, 1, handlerB), Zcad::eOk);
    // Same global name in the group: refused, the first one stays.
    EXPECT_EQ(stack()->addCommand(L"GRP", L"ALPHA", L"Other", 1, handlerB), Zcad::eDuplicateKey);
    EXPECT_EQ(stack()->addCommand(L"Grp", L"", L"x", 1, handlerB), Zcad::eInvalidInput);
    EXPECT_EQ(stack()->addCommand(L"Grp", L"Gamma", L"x", 1, nullptr), Zcad::eInvalidInput);

    ZcEdCommand* alpha = stack()->lookupGlobalCmd(L"alpha");
    ASSERT_EQ(alpha, returned);
    EXPECT_STREQ(alpha->globalName(), L"Alpha");
    EXPECT_STREQ(alpha->localName(), L"AlphaLocal");
    EXPECT_EQ(alpha->commandFlags(), 1);
    EXPECT_EQ(alpha->functionAddr(), &handlerA);
    EXPECT_EQ(stack()->lookupLocalCmd(L"ALPHALOCAL"), alpha);
    EXPECT_EQ(stack()->lookupCmd(L"alphalocal", false), alpha);
    EXPECT_EQ(stack()->lookupCmd(L"alphalocal", true), nullptr);
    EXPECT_STREQ(stack()->lookupGlobalCmd(L"Beta")->localName(), L"Beta");  // null local name

    EXPECT_EQ(stack()->removeCmd(L"Grp", L"beta"), Zcad::eOk);
    EXPECT_EQ(stack()->lookupGlobalCmd(L"Beta"), nullptr);
    EXPECT_EQ(stack()->removeCmd(L"Grp", L"Beta"), Zcad::eKeyNotFound);
    EXPECT_EQ(stack()->removeCmd(L"Nope", L"Alpha"), Zcad::eKeyNotFound);

    EXPECT_EQ(stack()->removeGroup(L"grp"), Zcad::eOk);
    EXPECT_EQ(stack()->lookupGlobalCmd(L"Alpha"), nullptr);
    EXPECT_EQ(stack()->removeGroup(L"Grp"), Zcad::eKeyNotFound);
}

TEST(RuntimeCommandStackTest, NewestGroupIsSearchedFirst) {
    host::Session session;
    ASSERT_EQ(stack()->addCommand(L"Old", L"Same", L"Same", 0, handlerA), Zcad::eOk);
    ASSERT_EQ(stack()->addCommand(L"New", L"Same", L"Same", 0, handlerB), Zcad::eOk);
    EXPECT_STREQ(stack()->lookupGlobalCmd(L"same")->groupName(), L"New");
    EXPECT_EQ(stack()->popGroupToTop(L"old"), Zcad::eOk);
    EXPECT_STREQ(stack()->lookupGlobalCmd(L"same")->groupName(), L"Old");
    EXPECT_EQ(stack()->numGroups(), 2);
}

TEST(RuntimeCommandStackTest, SessionRunsCommandsByEitherName) {
    host::Session session;
    calls = 0;
    ASSERT_EQ(stack()->addCommand(L"Grp", L"Global", L"Lokal", 0, handlerA), Zcad::eOk);
    EXPECT_TRUE(session.runCommand(L"lokal"));
    EXPECT_TRUE(session.runCommand(L"GLOBAL"));
    EXPECT_TRUE(session.runCommand(L"_global"));
    EXPECT_FALSE(session.runCommand(L"_lokal"));  // "_" asks for the global name
    EXPECT_EQ(calls, 3);
}

}  // namespace
