// Published properties by name: each kind read and written, class tests on derived classes.
#include <gtest/gtest.h>

#include "CoreTestClasses.h"
#include "components/PropertyAccess.h"
#include "components/SysUtils.h"

namespace {

TEST(PropertyAccess, ReadsAndWritesEachKindByName) {
    TSampleRoot root(nullptr);
    TSampleBase other(&root);
    other.SetName("Other");

    SetOrdProp(&root, "Count", 42);
    EXPECT_EQ(GetOrdProp(&root, "count"), 42) << "names compare case-insensitively";
    SetEnumProp(&root, "Active", "True");
    EXPECT_TRUE(root.Active());
    EXPECT_EQ(GetEnumProp(&root, "Active"), "True");
    SetEnumProp(&root, "Mode", "smSlow");
    EXPECT_EQ(GetEnumProp(&root, "Mode"), "smSlow");
    SetSetProp(&root, "Flags", "[sfGreen,sfBlue]");
    EXPECT_EQ(root.Flags(), 6u);
    EXPECT_EQ(GetSetProp(&root, "Flags"), "[sfGreen, sfBlue]");
    SetSetProp(&root, "Flags", "[]");
    EXPECT_EQ(root.Flags(), 0u);
    SetStrProp(&root, "Title", "text");
    EXPECT_EQ(GetStrProp(&root, "Title"), "text");
    SetObjectProp(&root, "Buddy", &other);
    EXPECT_EQ(GetObjectProp(&root, "Buddy"), &other);
    EXPECT_EQ(GetObjectProp(&root, "Buddy", &TSampleRoot::StaticClass()), nullptr) << "not of the class asked for";
    EXPECT_EQ(GetObjectProp(&root, "Font", &TSampleFont::StaticClass()), root.Font());
}

TEST(PropertyAccess, TextForm) {
    TSampleRoot root(nullptr);
    TSampleBase other(&root);
    other.SetName("Other");
    root.SetBuddy(&other);
    SetPropValue(&root, "Shade", "clBlue");
    EXPECT_EQ(root.Shade, clBlue);
    SetPropValue(&root, "Shade", "$00102030");
    EXPECT_EQ(GetPropValue(&root, "Shade"), "1056816");
    SetPropValue(&root, "Shade", "-1");
    EXPECT_EQ(root.Shade, -1);
    SetPropValue(&root, "Mode", "smFast");
    EXPECT_EQ(GetPropValue(&root, "Mode"), "smFast");
    EXPECT_EQ(GetPropValue(&root, "Buddy"), "Other");
    EXPECT_THROW(SetPropValue(&root, "Buddy", "Other"), EPropertyError);
}

TEST(PropertyAccess, MissingPropertiesAndWrongValuesAreErrors) {
    TSampleRoot root(nullptr);
    EXPECT_TRUE(IsPublishedProp(&root, "Tag")) << "inherited from TComponent";
    EXPECT_TRUE(IsPublishedProp(&root, "OnPing"));
    EXPECT_FALSE(IsPublishedProp(&root, "ParentBackground"));
    EXPECT_FALSE(IsPublishedProp(nullptr, "Tag"));
    EXPECT_THROW(GetOrdProp(&root, "Nothing"), EPropertyError);
    EXPECT_THROW(GetOrdProp(&root, "Title"), EPropertyError) << "a string is not ordinal";
    EXPECT_THROW(SetEnumProp(&root, "Mode", "smNone"), EPropertyError);
    EXPECT_THROW(SetSetProp(&root, "Flags", "[sfPink]"), EPropertyError);
    EXPECT_THROW(SetSetProp(&root, "Flags", "sfRed"), EPropertyError);
    EXPECT_THROW(SetPropValue(&root, "Count", "12abc"), EPropertyError);
    EXPECT_THROW(SetOrdProp(&root, "Font", 1), EPropertyError);
}

TEST(PropertyAccess, EventsAreBoundByTheirSignature) {
    TSampleRoot root(nullptr);
    EXPECT_FALSE(IsMethodAssigned(&root, "OnAdjust"));
    SetMethodProp(&root, "OnAdjust", std::function<void(TObject*, int&)>([](TObject*, int& v) { v += 1; }));
    EXPECT_TRUE(IsMethodAssigned(&root, "OnAdjust"));
    int value = 1;
    root.OnAdjust(&root, value);
    EXPECT_EQ(value, 2);
    EXPECT_THROW(SetMethodProp(&root, "OnAdjust", std::function<void(TObject*)>([](TObject*) {})), EPropertyError);
}

TEST(ClassRecords, KnowTheirAncestry) {
    TSampleRoot root(nullptr);
    TSampleBlob blob(nullptr);
    EXPECT_EQ(root.ClassName(), "TSampleRoot");
    EXPECT_TRUE(root.Is<TSampleBase>());
    EXPECT_TRUE(root.Is<TComponent>());
    EXPECT_TRUE(root.Is<TPersistent>());
    EXPECT_FALSE(root.Is<TSampleBlob>());
    EXPECT_TRUE(blob.InheritsFrom(TSampleBase::StaticClass()));
    EXPECT_EQ(TSampleRoot::StaticClass().Parent(), &TSampleBase::StaticClass());
    RegisterSampleClasses();
    EXPECT_EQ(FindClassInfo("tsampleblob"), &TSampleBlob::StaticClass()) << "looked up case-insensitively";
    EXPECT_EQ(FindClassInfo("TNothing"), nullptr);
}

}  // namespace
