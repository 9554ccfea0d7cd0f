#include "framework/CControlList.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
CControlDescriptor named(int32_t id)
{
    CControlDescriptor d;
    d.controlId = id;
    std::string name = std::to_string(id);
    name.insert(name.begin(), 'c');
    d.setName(name.c_str());
    return d;
}
} // namespace

TEST(CControlList, KeepsCopiesInInsertionOrder)
{
    CControlList list;
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(list.get(0), nullptr);

    CControlDescriptor d = named(0);
    list.append(d);
    d.setName("changed after append");
    list.append(named(1));
    list.append(named(2));

    ASSERT_EQ(list.count(), 3u);
    EXPECT_STREQ(list.get(0)->name, "c0");
    EXPECT_EQ(list.get(1)->controlId, 1);
    EXPECT_EQ(list.get(2)->controlId, 2);
    EXPECT_EQ(list.get(3), nullptr);
    EXPECT_EQ(list.get(0xFFFFFFFFu), nullptr);
}

TEST(CControlList, EntriesStayPutWhileTheListGrowsAndClearEmptiesIt)
{
    CControlList list;
    CControlDescriptor* first = list.append(named(0));
    for (int32_t i = 1; i < 100; ++i)
        list.append(named(i));
    EXPECT_EQ(list.get(0), first);
    EXPECT_STREQ(first->name, "c0");
    EXPECT_EQ(list.get(99)->controlId, 99);

    list.clear();
    EXPECT_EQ(list.count(), 0u);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(list.get(0), nullptr);
}

TEST(CControlList, FindsTheFirstEntryOfAControlId)
{
    CControlList list;
    EXPECT_EQ(list.positionOf(0), -1);
    for (int32_t id : {7, 3, 7, 50})
        list.append(named(id));
    EXPECT_EQ(list.positionOf(7), 0);
    EXPECT_EQ(list.positionOf(3), 1);
    EXPECT_EQ(list.positionOf(50), 3);
    EXPECT_EQ(list.positionOf(4), -1);
}
