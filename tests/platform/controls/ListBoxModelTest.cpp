#include "platform/controls/ListBoxModel.h"

#include <gtest/gtest.h>

using namespace controls;

namespace {

ListBoxModel Folders() {
    ListBoxModel m;
    m.SetItemHeight(20);
    m.SetClientHeight(160);
    for (const char* s : {"/var/log/iis", "/srv/www", "/VAR/log/old", "/home/ops", "C:/inetpub", "/var/tmp",
                          "/data", "/mnt/logs", "/opt", "/tmp"})
        m.Insert(-1, s);
    return m;
}

} // namespace

TEST(ListBoxModel, FindStringIsCaseInsensitivePrefixAndWraps) {
    ListBoxModel m = Folders();
    EXPECT_EQ(m.FindPrefix(-1, "/var"), 0);
    EXPECT_EQ(m.FindPrefix(0, "/var"), 2); // after the start, case folded
    EXPECT_EQ(m.FindPrefix(5, "/var"), 0); // wraps round
    EXPECT_EQ(m.FindPrefix(-1, "c:/INET"), 4);
    EXPECT_EQ(m.FindPrefix(-1, "/nothing"), -1);
    EXPECT_EQ(m.FindExact(-1, "/var/LOG/iis"), 0);
    EXPECT_EQ(m.FindExact(-1, "/var/log"), -1);
    EXPECT_EQ(ListBoxModel().FindPrefix(-1, "x"), -1);
}

TEST(ListBoxModel, InsertAndRemoveKeepTheCurrentItem) {
    ListBoxModel m = Folders();
    m.SetCurrent(3);
    m.Insert(0, "/first");
    EXPECT_EQ(m.Current(), 4);
    m.Remove(0);
    EXPECT_EQ(m.Current(), 3);
    m.Remove(3);
    EXPECT_EQ(m.Current(), -1);
    EXPECT_EQ(m.Insert(50, "x"), LB_ERR);
    EXPECT_EQ(m.Remove(50), LB_ERR);
    EXPECT_FALSE(m.SetCurrent(50));
    EXPECT_EQ(m.Current(), -1);
}

TEST(ListBoxModel, SortedAddIgnoresCase) {
    ListBoxModel m;
    m.Add("beta", true);
    m.Add("Alpha", true);
    m.Add("gamma", true);
    m.Add("ALPHA", true);
    EXPECT_EQ(m.At(0).text, "Alpha");
    EXPECT_EQ(m.At(1).text, "ALPHA");
    EXPECT_EQ(m.At(2).text, "beta");
}

TEST(ListBoxModel, ScrollStateAndKeys) {
    ListBoxModel m = Folders();
    EXPECT_EQ(m.RowsPerPage(), 8);
    ScrollState v = m.VertScroll();
    EXPECT_EQ(v.max, 9);
    EXPECT_EQ(v.page, 8);
    EXPECT_TRUE(m.SetTop(9));
    EXPECT_EQ(m.Top(), 2);
    m.SetCurrent(0);
    EXPECT_TRUE(m.EnsureVisible(0));
    EXPECT_EQ(m.Top(), 0);
    EXPECT_EQ(m.KeyTarget(ListKey::PageDown), 7);
    EXPECT_EQ(m.KeyTarget(ListKey::End), 9);
    m.SetCurrent(-1);
    EXPECT_EQ(m.KeyTarget(ListKey::Down), 0);
    bool outside = false;
    EXPECT_EQ(m.ItemFromPoint({5, 45}, 100, &outside), 2);
    EXPECT_FALSE(outside);
    EXPECT_EQ(m.ItemFromPoint({5, 400}, 100, &outside), 9);
    EXPECT_TRUE(outside);
}
