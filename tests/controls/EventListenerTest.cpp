// Listener lists: what they accept, the order they tell in, listeners that
// are members of a base class, and listeners of the wrong shape refused at
// compile time.
#include "controls/EventListener.h"

#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace {

struct CSender {
    int id = 0;
};

using CEventListeners = gvt::CEventListeners<CSender, int&>;

std::vector<std::string> g_calls;

struct CTarget {
    std::string name;
    const CSender* lastSender = nullptr;
    int* lastArgument = nullptr;

    void OnFirst(CSender& sender, int& argument)
    {
        lastSender = &sender;
        lastArgument = &argument;
        g_calls.push_back(name + ".first");
    }
    void OnSecond(CSender&, int&) { g_calls.push_back(name + ".second"); }
    void OnOtherArgument(CSender&, long&) {}
    void OnOtherSender(CTarget&, int&) {}
};

template <class F, class = void>
struct CanListen : std::false_type {
};
template <class F>
struct CanListen<F, std::void_t<decltype(std::declval<CEventListeners&>().AddListener(std::declval<CTarget*>(),
                                                                                      std::declval<F>()))>>
    : std::true_type {
};
static_assert(CanListen<decltype(&CTarget::OnFirst)>::value);
static_assert(!CanListen<decltype(&CTarget::OnOtherArgument)>::value, "a listener of another argument type");
static_assert(!CanListen<decltype(&CTarget::OnOtherSender)>::value, "a listener of another sender type");

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
    EXPECT_FALSE(list.AddListener(&a, static_cast<void (CTarget::*)(CSender&, int&)>(nullptr)));
    EXPECT_TRUE(list.AddListener(&a, &CTarget::OnFirst));
    EXPECT_FALSE(list.AddListener(&a, &CTarget::OnFirst));
    EXPECT_TRUE(list.AddListener(&a, &CTarget::OnSecond));
    EXPECT_TRUE(list.AddListener(&b, &CTarget::OnFirst));
    EXPECT_EQ(3u, list.Count());

    EXPECT_FALSE(list.Add(CEventListeners::Listener()));
    CEventListeners::Listener shared(new gvt::CMemfunEventListener<CTarget, CSender, int&>(&b, &CTarget::OnSecond));
    EXPECT_TRUE(list.Add(shared));
    EXPECT_FALSE(list.Add(shared));
    EXPECT_EQ(4u, list.Count());
}

TEST_F(EventListener, FiringTellsEveryListenerInInsertionOrder)
{
    CEventListeners list;
    CSender sender;
    int argument = 0;
    list.Fire(sender, argument);  // nobody to tell
    CTarget a{"a"};
    CTarget b{"b"};
    list.AddListener(&b, &CTarget::OnSecond);
    list.AddListener(&a, &CTarget::OnFirst);
    list.AddListener(&b, &CTarget::OnFirst);
    list.Fire(sender, argument);
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
    CSender sender;
    int argument = 0;
    list.Fire(sender, argument);
    EXPECT_EQ((std::vector<std::string>{"derived.first"}), g_calls);
    EXPECT_EQ(&argument, derived.lastArgument);
}

TEST_F(EventListener, AListenerWithoutObjectOrFunctionDoesNothing)
{
    CTarget a{"a"};
    CSender sender;
    int argument = 0;
    using CListener = gvt::CMemfunEventListener<CTarget, CSender, int&>;
    CListener(nullptr, &CTarget::OnFirst).OnEvent(sender, argument);
    CListener(&a, nullptr).OnEvent(sender, argument);
    EXPECT_TRUE(g_calls.empty());
}

struct CAdder {
    CEventListeners* list = nullptr;
    CTarget late{"late"};
    void OnEvent(CSender&, int&)
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
    CSender sender;
    int argument = 0;
    list.Fire(sender, argument);
    EXPECT_EQ((std::vector<std::string>{"adder", "late.first"}), g_calls);
    EXPECT_EQ(2u, list.Count());
}

}  // namespace
