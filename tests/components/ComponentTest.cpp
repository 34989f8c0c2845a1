// Ownership and notifications of components, streams and string lists.
#include <gtest/gtest.h>

#include <memory>

#include "CoreTestClasses.h"
#include "components/SysUtils.h"
#include "components/TMemoryStream.h"
#include "components/TStringList.h"

namespace {

class Watcher : public TComponent {
public:
    explicit Watcher(TComponent* owner) : TComponent(owner) {}
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == TOperation::opRemove) Removed.push_back(component);
    }
    std::vector<TComponent*> Removed;
};

TEST(Components, OwnerFreesWhatItOwnsAndAFreedComponentLeavesItsOwner) {
    auto owner = std::make_unique<TSampleBase>(nullptr);
    auto* a = new TSampleBase(owner.get());
    auto* b = new TSampleBase(a);
    a->SetName("A");
    b->SetName("B");
    EXPECT_EQ(owner->ComponentCount(), 1);
    EXPECT_EQ(a->Owner(), owner.get());
    EXPECT_EQ(owner->FindComponent("a"), a);

    auto* c = new TSampleBase(owner.get());
    EXPECT_EQ(c->ComponentIndex(), 1);
    delete c;
    EXPECT_EQ(owner->ComponentCount(), 1);
    owner.reset();  // frees a and, through a, b
}

TEST(Components, NamesAreIdentifiersAndUniqueUnderOneOwner) {
    TSampleBase owner(nullptr);
    TSampleBase a(&owner), b(&owner);
    a.SetName("Button1");
    EXPECT_THROW(b.SetName("button1"), EComponentError);
    EXPECT_THROW(b.SetName("1Button"), EComponentError);
    EXPECT_THROW(b.SetName("With space"), EComponentError);
    b.SetName("Button2");
    b.SetName("");
    EXPECT_EQ(b.Name(), "");
}

TEST(Components, OwnersAndSubscribersHearThatAComponentGoes) {
    auto owner = std::make_unique<Watcher>(nullptr);
    auto* sibling = new Watcher(owner.get());
    auto* gone = new TSampleBase(owner.get());
    Watcher outsider(nullptr);
    gone->FreeNotification(&outsider);
    delete gone;
    ASSERT_EQ(owner->Removed.size(), 1u);
    EXPECT_EQ(owner->Removed[0], gone);
    ASSERT_EQ(sibling->Removed.size(), 1u) << "the owner passes the notice on to what it owns";
    ASSERT_EQ(outsider.Removed.size(), 1u);

    // A subscriber that goes first is forgotten: no notice reaches it later.
    auto* later = new TSampleBase(owner.get());
    {
        Watcher shortLived(nullptr);
        later->FreeNotification(&shortLived);
    }
    delete later;
}

TEST(StringList, TextSplitsAtEveryKindOfLineBreak) {
    TStringList list;
    list.SetText("a\r\nb\rc\nd");
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list[1], "b");
    EXPECT_EQ(list[3], "d");
    list.SetText("one\r\n");
    EXPECT_EQ(list.Count(), 1) << "a final break adds no line";
    list.SetText("one\n\ntwo\r\n\r\n");
    ASSERT_EQ(list.Count(), 4) << "breaks before the last each end a line, empty or not";
    EXPECT_EQ(list[1], "");
    EXPECT_EQ(list[3], "");
    list.SetText("\r\n");
    EXPECT_EQ(list.Count(), 1);
    list.SetText("");
    EXPECT_EQ(list.Count(), 0);
    list.SetText("x\r\ny");
    EXPECT_EQ(list.Text(), "x\r\ny\r\n");
}

TEST(StringList, NamesValuesObjectsAndCaseInsensitiveSearch) {
    TStringList list;
    TSampleBase marker(nullptr);
    list.Add("TFoo=panel");
    list.AddObject("Key=Value=More", &marker);
    list.Add("plain");
    EXPECT_EQ(list.IndexOf("PLAIN"), 2);
    EXPECT_EQ(list.IndexOf("absent"), -1);
    EXPECT_EQ(list.Names(1), "Key");
    EXPECT_EQ(list.Values("key"), "Value=More");
    EXPECT_EQ(list.Values("plain"), "");
    EXPECT_EQ(list.Objects(1), &marker);
    EXPECT_EQ(list.IndexOfObject(&marker), 1);
    list.SetValue("tfoo", "edit");
    EXPECT_EQ(list[0], "tfoo=edit");
    list.SetValue("Key", "");
    EXPECT_EQ(list.Count(), 2);
    EXPECT_THROW(list.Get(5), EListError);
    EXPECT_THROW(list.Insert(-1, "x"), EListError);
}

TEST(StringList, ChangeEventsComeOncePerBatch) {
    TStringList list;
    int changes = 0;
    list.OnChange = [&](TObject*) { ++changes; };
    list.Add("a");
    EXPECT_EQ(changes, 1);
    list.BeginUpdate();
    list.Add("b");
    list.Add("c");
    list.EndUpdate();
    EXPECT_EQ(changes, 2);
    list.SetText("x\ny\nz");
    EXPECT_EQ(changes, 3);
}

TEST(MemoryStream, ReadsWritesSeeksAndRefusesShortReads) {
    TMemoryStream s;
    s.WriteBuffer("abcdef", 6);
    EXPECT_EQ(s.Size(), 6);
    s.SetPosition(2);
    char buffer[4] = {0};
    s.ReadBuffer(buffer, 3);
    EXPECT_EQ(std::string(buffer, 3), "cde");
    EXPECT_EQ(s.Read(buffer, 4), 1);
    EXPECT_THROW(s.ReadBuffer(buffer, 1), EStreamError);
    s.Seek(-100, TSeekOrigin::soCurrent);
    EXPECT_EQ(s.Position(), 0);
    s.SetSize(2);
    EXPECT_EQ(s.Size(), 2);
    TMemoryStream copy;
    copy.CopyFrom(s, 0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(copy.Memory()), 2), "ab");
}

TEST(Numbers, IntegersInDecimalAndHex) {
    EXPECT_EQ(StrToInt(" 42 "), 42);
    EXPECT_EQ(StrToInt("-7"), -7);
    EXPECT_EQ(StrToInt("$FF"), 255);
    EXPECT_EQ(StrToInt("0x10"), 16);
    EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
    EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
    EXPECT_THROW(StrToInt("2147483648"), EConvertError);
    EXPECT_THROW(StrToInt(""), EConvertError);
    EXPECT_THROW(StrToInt("12a"), EConvertError);
    EXPECT_EQ(StrToIntDef("x", 5), 5);
}

}  // namespace

namespace {

TEST(StringList, FilesKeepTheLinesAndAssignCopiesThemWithTheirObjects) {
    const std::string path = ::testing::TempDir() + "strings_test.txt";
    TStringList lines;
    TSampleBase marker(nullptr);
    lines.AddObject("数据", &marker);
    lines.Add("");
    lines.Add("last");
    lines.SaveToFile(path);
    TStringList loaded;
    loaded.LoadFromFile(path);
    EXPECT_EQ(loaded.Text(), "数据\r\n\r\nlast\r\n");
    EXPECT_THROW(loaded.LoadFromFile(path + ".missing"), EStreamError);

    TStringList copy;
    copy.Assign(&lines);
    EXPECT_EQ(copy.Count(), 3);
    EXPECT_EQ(copy.Objects(0), &marker);
    EXPECT_THROW(copy.Assign(&marker), EConvertError) << "a component is no list of strings";
}

TEST(Collections, ItemsComeAndGoWithTheirCollection) {
    TSampleItems items;
    int updates = 0;
    items.OnUpdate = [&](TCollectionItem*) { ++updates; };
    TSampleItem* first = items.Add();
    first->Label = "a";
    items.Add()->Label = "b";
    EXPECT_EQ(updates, 2);
    EXPECT_EQ(items[1]->Index(), 1);
    delete first;
    EXPECT_EQ(items.Count(), 1);
    EXPECT_EQ(items[0]->Label, "b");
    EXPECT_EQ(items[0]->Index(), 0);
    items.BeginUpdate();
    items.Add();
    items.Add();
    items.EndUpdate();
    EXPECT_EQ(updates, 4) << "one notice for the whole batch";
    items.Clear();
    EXPECT_EQ(items.Count(), 0);
    EXPECT_THROW(items.Items(0), EListError);
}

}  // namespace
