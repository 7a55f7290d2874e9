#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "collections/List.h"
#include "collections/collections.h"
#include "defobj/Zone.h"
#include "defobj/test_stream.h"
#include "defobj/test_thing.h"

namespace {

// Every list behaviour holds for both variants.
class ListTest : public testing::TestWithParam<bool> {
 protected:
  bool memberLinks() const { return GetParam(); }
  const char* family() const { return memberLinks() ? "mlinks" : "linked"; }

  id makeList() {
    id list = msg::createBegin(List, _obj_scratchZone);
    if (memberLinks()) msg::setIndexFromMemberLoc(list, thingLinkOffset());
    return lists.emplace_back(msg::createEnd(list));
  }

  Thing* thing() { return static_cast<Thing*>(things.emplace_back(makeThing(_obj_scratchZone))); }

  id filled(int n) {
    id list = makeList();
    for (int i = 0; i < n; i++) msg::addLast(list, thing());
    return list;
  }

  id index(id list) { return indexes.emplace_back(msg::begin(list, _obj_scratchZone)); }

  std::vector<id> members(id list) {
    std::vector<id> seen;
    id i = msg::begin(list, _obj_scratchZone);
    for (id m = msg::next(i); msg::getLoc(i) == Member; m = msg::next(i)) seen.push_back(m);
    msg::drop(i);
    return seen;
  }

  void TearDown() override {
    for (id i : indexes) msg::drop(i);
    for (id l : lists) msg::drop(l);
    for (id t : things) msg::drop(t);
  }

  std::vector<id> lists, indexes, things;
};

TEST_P(ListTest, CreateEndChoosesTheVariant) {
  id list = makeList();
  EXPECT_STREQ(list->isa->name, memberLinks() ? "List_mlinks" : "List_linked");
}

TEST_P(ListTest, AddAndRemoveAtBothEnds) {
  id list = makeList();
  Thing *a = thing(), *b = thing(), *c = thing();
  msg::addLast(list, b);
  msg::addFirst(list, a);
  msg::addLast(list, c);
  EXPECT_EQ(members(list), (std::vector<id>{a, b, c}));
  EXPECT_EQ(msg::getCount(list), 3u);
  EXPECT_EQ(msg::removeFirst(list), a);
  EXPECT_EQ(msg::removeLast(list), c);
  EXPECT_EQ(members(list), (std::vector<id>{b}));
  EXPECT_EQ(msg::removeLast(list), b);
  EXPECT_EQ(msg::getCount(list), 0u);
}

TEST_P(ListTest, EmptyListIndex) {
  id i = index(makeList());
  EXPECT_EQ(msg::next(i), nil);
  EXPECT_EQ(msg::getLoc(i), End);
  EXPECT_EQ(msg::prev(i), nil);
  EXPECT_EQ(msg::getLoc(i), Start);
  EXPECT_EQ(msg::getOffset(i), -1);
}

TEST_P(ListTest, RemovingThroughTheIndex) {
  id list = filled(3);
  auto m = members(list);
  id i = index(list);
  // The last member: next leaves the members.
  msg::setLoc(i, End);
  msg::prev(i);
  EXPECT_EQ(msg::remove_(i), m[2]);
  EXPECT_EQ(msg::getLoc(i), Removed);
  EXPECT_EQ(msg::next(i), nil);
  EXPECT_EQ(msg::getLoc(i), End);
  msg::addLast(list, m[2]);
  // The first member: next answers the new first at offset 0.
  msg::setLoc(i, Start);
  msg::next(i);
  EXPECT_EQ(msg::remove_(i), m[0]);
  EXPECT_EQ(msg::next(i), m[1]);
  EXPECT_EQ(msg::getOffset(i), 0);
  msg::addFirst(list, m[0]);
  // A middle member: prev answers the one before, next the one after.
  EXPECT_EQ(msg::setOffset(i, 1), m[1]);
  EXPECT_EQ(msg::remove_(i), m[1]);
  EXPECT_EQ(msg::prev(i), m[0]);
  EXPECT_EQ(msg::getOffset(i), 0);
  msg::addAfter(i, m[1]);
  EXPECT_EQ(msg::setOffset(i, 1), m[1]);
  msg::remove_(i);
  EXPECT_EQ(msg::next(i), m[2]);
  EXPECT_EQ(msg::getOffset(i), 1);
  EXPECT_EQ(members(list), (std::vector<id>{m[0], m[2]}));
}

TEST_P(ListTest, AddBeforeAndAfter) {
  id list = makeList();
  id i = index(list);
  Thing *a = thing(), *b = thing(), *c = thing();
  msg::addAfter(i, b);  // at Start of an empty list: a one-member ring
  EXPECT_EQ(msg::next(i), b);
  EXPECT_EQ(msg::next(i), nil);
  EXPECT_EQ(msg::prev(i), b);
  msg::addBefore(i, a);  // on the first member
  EXPECT_EQ(msg::getOffset(i), 1);
  EXPECT_EQ(msg::get(i), b);
  msg::addAfter(i, c);
  EXPECT_EQ(members(list), (std::vector<id>{a, b, c}));
  EXPECT_EQ(msg::getFirst(list), a);
  EXPECT_EQ(msg::getLast(list), c);
}

TEST_P(ListTest, PutReplacesInPlace) {
  id list = filled(3);
  auto m = members(list);
  Thing* replacement = thing();
  id i = index(list);
  msg::setOffset(i, 1);
  EXPECT_EQ(msg::put(i, replacement), m[1]);
  EXPECT_EQ(msg::get(i), replacement);
  EXPECT_EQ(members(list), (std::vector<id>{m[0], replacement, m[2]}));
  msg::setOffset(i, 0);
  EXPECT_EQ(msg::replace(i, m[1]), m[0]);
  EXPECT_EQ(members(list), (std::vector<id>{m[1], replacement, m[2]}));
  EXPECT_EQ(msg::removeFirst(list), m[1]);
}

TEST_P(ListTest, CopyHasItsOwnLinks) {
  id list = filled(3);
  auto m = members(list);
  id copy = lists.emplace_back(msg::copy(list, _obj_scratchZone));
  EXPECT_EQ(members(copy), m);
  msg::removeFirst(copy);
  EXPECT_EQ(members(list), m) << "the original is untouched";
  EXPECT_STREQ(copy->isa->name, "List_linked");
}

TEST_P(ListTest, InitialValue) {
  id source = filled(2);
  id list = msg::createBegin(List, _obj_scratchZone);
  msg::setInitialValue(list, source);
  list = lists.emplace_back(msg::createEnd(list));
  EXPECT_EQ(members(list), members(source));
}

TEST_P(ListTest, DescribeNamesTheLinkOffset) {
  id list = filled(2);
  std::string text = describedText(list, _obj_scratchZone);
  EXPECT_NE(text.find("> number of members: 2\n"), std::string::npos);
  EXPECT_EQ(text.find("> internal links at offset: " + std::to_string(thingLinkOffset()) + "\n") != std::string::npos,
            memberLinks());
}

TEST_P(ListTest, ErrorsNameTheVariant) {
  id list = makeList();
  id i = index(list);
  auto report = [&](const char* symbol, const char* function) {
    return literal(std::string("*** event raised for error: ") + symbol + "\n*** function: " + function + "(), file: ");
  };
  auto name = [&](const char* kind, const char* selector) {
    return std::string("-[") + kind + "(" + family() + ") " + selector + "]";
  };
  EXPECT_DEATH(msg::removeFirst(list), report("NoMembers", name("List", "_removeFirst").c_str()));
  EXPECT_DEATH(msg::removeLast(list), report("NoMembers", name("List", "_removeLast").c_str()));
  EXPECT_DEATH(msg::put(i, nil), report("InvalidIndexLoc", name("ListIndex", "_put:").c_str()));
  EXPECT_DEATH(msg::remove_(i), report("InvalidIndexLoc", name("ListIndex", "_remove").c_str()));
  EXPECT_DEATH(msg::addBefore(i, thing()), report("InvalidIndexLoc", name("ListIndex", "_addBefore:").c_str()));
  EXPECT_DEATH(msg::setLoc(i, Member), report("InvalidLocSymbol", name("ListIndex", "_setLoc:").c_str()));
  EXPECT_DEATH(msg::setOffset(i, 0), report("OffsetOutOfRange", name("ListIndex", "_setOffset:").c_str()));
  EXPECT_DEATH(msg::prev(i), report("AlreadyAtStart", name("ListIndex", "_prev").c_str()));
  msg::next(i);
  EXPECT_DEATH(msg::next(i), report("AlreadyAtEnd", name("ListIndex", "_next").c_str()));
  EXPECT_DEATH(msg::addAfter(i, thing()), report("InvalidIndexLoc", name("ListIndex", "_addAfter:").c_str()));
}

INSTANTIATE_TEST_SUITE_P(Variants, ListTest, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) { return info.param ? "mlinks" : "linked"; });

TEST(MemberLinkListTest, AddingAMemberTwiceKeepsOne) {
  id list = msg::createBegin(List, _obj_scratchZone);
  msg::setIndexFromMemberLoc(list, thingLinkOffset());
  list = msg::createEnd(list);
  Thing *a = makeThing(_obj_scratchZone), *b = makeThing(_obj_scratchZone);
  msg::addLast(list, a);
  msg::addLast(list, b);
  msg::addFirst(list, b);
  msg::addLast(list, a);
  EXPECT_EQ(msg::getCount(list), 2u);
  EXPECT_EQ(getFirstMlinksList(list), a);
  id fromMember = msg::createIndex_fromMember(list, _obj_scratchZone, a);
  EXPECT_EQ(msg::getOffset(fromMember), -1);
  EXPECT_EQ(msg::next(fromMember), b);
  EXPECT_EQ(msg::getOffset(fromMember), -1);
  msg::drop(fromMember);
  id direct = beginMlinksList(list, msg::getComponentZone(_obj_scratchZone));
  EXPECT_EQ(msg::next(direct), a);
  msg::drop(direct);
  msg::drop(list);
  msg::drop(a);
  msg::drop(b);
}

TEST(LinkedListTest, LinksAreBlocksOfTheListZone) {
  auto* zone = static_cast<Zone_c*>(msg::create(Zone, _obj_globalZone));
  id list = msg::create(List, zone);
  Thing* a = makeThing(_obj_scratchZone);
  const unsigned long blocks = zone->blockCount;
  msg::addLast(list, a);
  msg::addLast(list, a);  // a linked list may hold a member twice
  EXPECT_EQ(zone->blockCount, blocks + 2);
  id i = beginLinkedList(list);
  EXPECT_EQ(msg::next(i), a);
  msg::drop(i);
  msg::drop(list);
  EXPECT_EQ(zone->blockCount, blocks) << "dropping the list releases its links";
  msg::drop(zone);
  msg::drop(a);
}

TEST(ListDeath, CreationMisuse) {
  const std::string error = literal("*** event raised for error: ");
  id list = msg::createBegin(List, _obj_scratchZone);
  EXPECT_DEATH(msg::setCountPerBlock(list, 4),
               error + "NotImplemented\n" + literal("*** function: -[List(any) _setCountPerBlock:]()"));
  msg::setInitialValue(list, msg::create(List, _obj_scratchZone));
  msg::setIndexFromMemberLoc(list, 16);
  EXPECT_DEATH(msg::createEnd(list), error + "InvalidCombination\n.*" +
                                         literal("> cannot specify an initial value with IndexFromMemberLoc option\n"));
  id linked = msg::create(List, _obj_scratchZone);
  EXPECT_DEATH(msg::createIndex_fromMember(linked, _obj_scratchZone, nil),
               error + "SourceMessage\n.*" + literal("> createIndex:fromMember: requires IndexFromMemberLoc value\n"));
}

}  // namespace

namespace {

TEST(ListCustomization, LaterListsCopyThePreparedOne) {
  id prepared = msg::customizeBegin(List, _obj_globalZone);
  msg::setIndexFromMemberLoc(prepared, thingLinkOffset());
  id maker = msg::customizeEnd(prepared);
  id list = msg::create(maker, _obj_scratchZone);
  EXPECT_STREQ(list->isa->name, "List_mlinks");
  EXPECT_EQ(msg::getIndexFromMemberLoc(list), thingLinkOffset());
  Thing* a = makeThing(_obj_scratchZone);
  msg::addLast(list, a);
  EXPECT_EQ(getFirstMlinksList(list), a);
  msg::drop(list);
  msg::drop(a);
}

}  // namespace
