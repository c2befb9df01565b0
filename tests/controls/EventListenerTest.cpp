// Listener lists: what they accept, the order they tell in, and listeners
// that are members of a base class.
#include "controls/EventListener.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using gvt::CEventListeners;

std::vector<std::string> g_calls;

struct CTarget {
    std::string name;
    void* lastSender = nullptr;
    void* lastArgument = nullptr;

    void OnFirst(void* sender, void* argument)
    {
        lastSender = sender;
        lastArgument = argument;
        g_calls.push_back(name + ".first");
    }
    void OnSecond(void*, void*) { g_calls.push_back(name + ".second"); }
};

struct CPadding {
    virtual ~CPadding() = default;
    int padding[3] = {};
};

// The listener's function is a member of the second base: calling it needs
// the this-adjustment.
struct CDerived : CPadding, CTarget {
};

class EventListener : public ::testing::Test {
protected:
    void SetUp() override { g_calls.clear(); }
};

TEST_F(EventListener, NullsAndDuplicatesAreRefused)
{
    CEventListeners list;
    CTarget a{"a"};
    CTarget b{"b"};
    EXPECT_FALSE(list.AddListener(static_cast<CTarget*>(nullptr), &CTarget::OnFirst));
    EXPECT_FALSE(list.AddListener(&a, static_cast<void (CTarget::*)(void*, void*)>(nullptr)));
    EXPECT_TRUE(list.AddListener(&a, &CTarget::OnFirst));
    EXPECT_FALSE(list.AddListener(&a, &CTarget::OnFirst));
    EXPECT_TRUE(list.AddListener(&a, &CTarget::OnSecond));
    EXPECT_TRUE(list.AddListener(&b, &CTarget::OnFirst));
    EXPECT_EQ(3u, list.Count());

    EXPECT_FALSE(list.Add(CEventListeners::Listener()));
    CEventListeners::Listener shared(new gvt::CMemfunEventListener<CTarget>(&b, &CTarget::OnSecond));
    EXPECT_TRUE(list.Add(shared));
    EXPECT_FALSE(list.Add(shared));
    EXPECT_EQ(4u, list.Count());
}

TEST_F(EventListener, FiringTellsEveryListenerInInsertionOrder)
{
    CEventListeners list;
    list.Fire(nullptr, nullptr);  // nobody to tell
    CTarget a{"a"};
    CTarget b{"b"};
    list.AddListener(&b, &CTarget::OnSecond);
    list.AddListener(&a, &CTarget::OnFirst);
    list.AddListener(&b, &CTarget::OnFirst);
    int sender = 0;
    int argument = 0;
    list.Fire(&sender, &argument);
    EXPECT_EQ((std::vector<std::string>{"b.second", "a.first", "b.first"}), g_calls);
    EXPECT_EQ(&sender, a.lastSender);
    EXPECT_EQ(&argument, a.lastArgument);
}

TEST_F(EventListener, AMemberOfABaseClassIsCalledOnItsSubobject)
{
    CEventListeners list;
    CDerived derived;
    derived.name = "derived";
    EXPECT_TRUE(list.AddListener(&derived, &CTarget::OnFirst));
    EXPECT_FALSE(list.AddListener(&derived, &CDerived::OnFirst));
    int argument = 0;
    list.Fire(nullptr, &argument);
    EXPECT_EQ((std::vector<std::string>{"derived.first"}), g_calls);
    EXPECT_EQ(&argument, derived.lastArgument);
}

TEST_F(EventListener, AListenerWithoutObjectOrFunctionDoesNothing)
{
    CTarget a{"a"};
    gvt::CMemfunEventListener<CTarget>(nullptr, &CTarget::OnFirst).OnEvent(nullptr, nullptr);
    gvt::CMemfunEventListener<CTarget>(&a, nullptr).OnEvent(nullptr, nullptr);
    EXPECT_TRUE(g_calls.empty());
}

struct CAdder {
    CEventListeners* list = nullptr;
    CTarget late{"late"};
    void OnEvent(void*, void*)
    {
        g_calls.push_back("adder");
        list->AddListener(&late, &CTarget::OnFirst);
    }
};

TEST_F(EventListener, AListenerAddedWhileFiringIsToldToo)
{
    CEventListeners list;
    CAdder adder;
    adder.list = &list;
    list.AddListener(&adder, &CAdder::OnEvent);
    list.Fire(nullptr, nullptr);
    EXPECT_EQ((std::vector<std::string>{"adder", "late.first"}), g_calls);
    EXPECT_EQ(2u, list.Count());
}

}  // namespace
