#include "platform/shell/IdList.h"
#include "platform/shell/ShellItem.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

struct ListDeleter {
    void operator()(ITEMIDLIST* list) const { ILFree(list); }
};
using List = std::unique_ptr<ITEMIDLIST, ListDeleter>;

List Make(const std::vector<std::string>& items) {
    LPITEMIDLIST list = ILCombine(nullptr, nullptr);
    for (const std::string& data : items) {
        LPITEMIDLIST item = ILCreateFromData(data);
        LPITEMIDLIST longer = ILCombine(list, item);
        ILFree(list);
        ILFree(item);
        list = longer;
    }
    return List(list);
}

std::vector<std::string> Items(LPCITEMIDLIST list) {
    std::vector<std::string> items;
    for (LPCITEMIDLIST item = list; !ILIsEmpty(item); item = ILGetNext(item))
        items.emplace_back(ILItemData(item));
    return items;
}

TEST(IdListTest, KeepsTheByteFormatOfCountedItems) {
    List list = Make({"Nab", "Vhome"});
    const auto* bytes = reinterpret_cast<const unsigned char*>(list.get());
    // 5 bytes "\x05\x00Nab", 7 bytes "\x07\x00Vhome", then the terminating 0 count.
    const unsigned char expected[] = {5, 0, 'N', 'a', 'b', 7, 0, 'V', 'h', 'o', 'm', 'e', 0, 0};
    ASSERT_EQ(ILGetSize(list.get()), sizeof expected);
    EXPECT_EQ(std::memcmp(bytes, expected, sizeof expected), 0);
    EXPECT_TRUE(ILIsWellFormed(bytes, sizeof expected));
    EXPECT_FALSE(ILIsWellFormed(bytes, sizeof expected - 1)); // no terminator
    const unsigned char overlong[] = {9, 0, 'N', 0, 0};
    EXPECT_FALSE(ILIsWellFormed(overlong, sizeof overlong));
    const unsigned char tooShort[] = {1, 0, 0, 0};
    EXPECT_FALSE(ILIsWellFormed(tooShort, sizeof tooShort));
}

TEST(IdListTest, CombinesClonesAndStripsWithoutChangingItems) {
    List a = Make({"Vcomputer", "M/"});
    List b = Make({"Nhome", "Nuser", "Nw3svc10"});
    List ab(ILCombine(a.get(), b.get()));
    EXPECT_EQ(Items(ab.get()), (std::vector<std::string>{"Vcomputer", "M/", "Nhome", "Nuser", "Nw3svc10"}));
    EXPECT_EQ(ILItemCount(ab.get()), 5);
    List empty = Make({});
    EXPECT_EQ(ILGetSize(empty.get()), 2u);
    List withEmpty(ILCombine(empty.get(), b.get()));
    EXPECT_EQ(Items(withEmpty.get()), Items(b.get()));
    List copy(ILClone(ab.get()));
    ASSERT_TRUE(ILRemoveLastID(copy.get()));
    EXPECT_EQ(ILItemCount(copy.get()), 4);
    EXPECT_EQ(ILGetSize(copy.get()), ILGetSize(ab.get()) - 10); // "Nw3svc10" is 10 bytes
    EXPECT_EQ(Items(List(ILCloneFirst(ab.get())).get()), std::vector<std::string>{"Vcomputer"});
    EXPECT_EQ(std::string(ILItemData(ILFindLastID(b.get()))), "Nw3svc10");
    EXPECT_FALSE(ILRemoveLastID(empty.get()));
}

TEST(IdListTest, ReadsOnlyTheItemsOfThisNamespace) {
    // clang-format off
    struct Case {
        std::string data;
        bool valid;
    } cases[] = {
        {"Vhome", true},  {"Vcomputer", true}, {"Vother", false}, {"V", false},
        {"M/", true},     {"M/media/usb", true}, {"Mmedia", false},
        {"Nx.zip", true}, {"N", false},        {"N.", false}, {"N..", false}, {"Na/b", false},
        {std::string("Na\0b", 4), false}, {"", false}, {"Xname", false},
    };
    // clang-format on
    for (const Case& c : cases)
        EXPECT_EQ(shell::ReadItemData(c.data).has_value(), c.valid) << c.data;
    EXPECT_EQ(shell::ReadItemData(shell::MakeItemData(shell::ItemKind::Name, "日志"))->Text, "日志");
}

} // namespace
