// Reading form descriptions: creation by class name, properties in stored order while reading,
// binary data, events and fields, references, Loaded after everything, and clear errors.
#include <gtest/gtest.h>

#include <memory>

#include "CoreTestClasses.h"
#include "components/SysUtils.h"
#include "components/TReader.h"
#include "components/TWriter.h"

namespace {

class FormReader : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterSampleClasses();
        Journal().clear();
        root = std::make_unique<TSampleRoot>(nullptr);
    }

    void Read(const std::string& text) {
        TReader reader;
        reader.ReadRoot(root.get(), text, "test.form");
    }

    std::string ReadError(const std::string& text) {
        try {
            Read(text);
        } catch (const EReadError& e) {
            return e.Message();
        }
        return "no error";
    }

    std::unique_ptr<TSampleRoot> root;
};

const char* const NestedForm = R"(
# a root with nested components, a binding and a reference that comes before its target
TSampleRoot Main {
  Title = "root"
  TSampleBase First {
    Buddy = Second
    Count = 3
    Mode = smFast
    Active = True
    OnPing = @Pinged
    TSampleBase Inner {
      Flags = [sfRed, sfBlue]
      Title = "inner \"quoted\""
    }
  }
  TSampleBase Second {
    Shade = clRed
    Font.Face = "Mono"
    Lines = ("one", "two")
    Items = { { Label = "a" Weight = 1 } { Label = "b" Weight = 2 } }
  }
}
)";

TEST_F(FormReader, BuildsNestedComponentsWithTheirPropertiesAndBindings) {
    Read(NestedForm);
    ASSERT_EQ(root->ComponentCount(), 3);  // every component belongs to the root
    ASSERT_NE(root->First, nullptr);
    EXPECT_EQ(root->First->Name(), "First");
    EXPECT_EQ(root->First->Count(), 3);
    EXPECT_EQ(root->First->Mode(), smFast);
    EXPECT_TRUE(root->First->Active());
    auto* second = dynamic_cast<TSampleBase*>(root->FindComponent("Second"));
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(root->First->Buddy(), second) << "a reference to a later component is resolved";
    ASSERT_EQ(root->First->Children.size(), 1u);
    TSampleBase* inner = root->First->Children[0];
    EXPECT_EQ(inner->Container, root->First);
    EXPECT_EQ(inner->Flags(), 5u);
    EXPECT_EQ(inner->Title(), "inner \"quoted\"");
    EXPECT_EQ(second->Shade, clRed);
    EXPECT_EQ(second->Font()->Face, "Mono");
    EXPECT_EQ(second->Lines()->Text(), "one\r\ntwo\r\n");
    ASSERT_EQ(second->Items()->Count(), 2);
    EXPECT_EQ((*second->Items())[1]->Label, "b");
    EXPECT_EQ((*second->Items())[1]->Weight, 2);

    ASSERT_TRUE(root->First->OnPing);
    root->First->OnPing(root->First);
    ASSERT_EQ(root->PingedBy.size(), 1u);
    EXPECT_EQ(root->PingedBy[0], root->First) << "the event runs the root's handler";
}

TEST_F(FormReader, SetsPropertiesInStoredOrderWhileReadingAndLoadsEachOnceAtTheEnd) {
    Read(NestedForm);
    const std::vector<std::string> expected = {
        "Main.Title",  "First.Count", "First.Mode", "First.Active", "Inner.Flags",  "Inner.Title",
        "Main.Loaded", "First.Loaded", "Inner.Loaded", "Second.Loaded",
    };
    EXPECT_EQ(Journal(), expected);
    EXPECT_FALSE(root->InState(csLoading));
    EXPECT_FALSE(root->First->InState(csReading));
}

TEST_F(FormReader, PropertiesAreSetInTheReadingState) {
    Read("TSampleRoot Main { TSampleBase First { Count = 1 } }");
    EXPECT_TRUE(root->First->WasReading);
    root->First->SetCount(2);
    EXPECT_FALSE(root->First->WasReading) << "after reading, a setter runs outside the reading state";
}

TEST_F(FormReader, BinaryDataGoesThroughTheDefinedReaderAndBackThroughTheWriter) {
    Read("TSampleRoot Main { TSampleBlob Blob { Count = 1 Data = < 05000000 48 65 6C 6C 6F > Title = \"after\" } }");
    ASSERT_NE(root->Blob, nullptr);
    EXPECT_EQ(root->Blob->Data, "Hello");
    EXPECT_EQ(root->Blob->ReadCalls, 1);
    const std::vector<std::string> order = {"Blob.Count", "Blob.Data", "Blob.Title", "Main.Loaded", "Blob.Loaded"};
    EXPECT_EQ(Journal(), order) << "binary data is read in its stored place";

    root->Blob->Data = std::string("\x00\xFF\x10", 3);
    TWriter writer;
    const std::string written = writer.WriteRoot(root.get());
    EXPECT_NE(written.find("Data = <"), std::string::npos);

    TSampleRoot copy(nullptr);
    TReader().ReadRoot(&copy, written, "written");
    ASSERT_NE(copy.Blob, nullptr);
    EXPECT_EQ(copy.Blob->Data, std::string("\x00\xFF\x10", 3));
    EXPECT_EQ(copy.Blob->Count(), 1);
    EXPECT_EQ(copy.Blob->Title(), "after");
}

TEST_F(FormReader, EmptyBinaryDataIsWrittenAsSizeZeroAndNoBytes) {
    Read("TSampleRoot Main { TSampleBlob Blob { } }");
    TWriter writer;
    const std::string written = writer.WriteRoot(root.get());
    const size_t at = written.find("Data = <");
    ASSERT_NE(at, std::string::npos);
    const size_t end = written.find('>', at);
    std::string digits;
    for (size_t i = at + 8; i < end; ++i)
        if (!isspace(static_cast<unsigned char>(written[i]))) digits += written[i];
    EXPECT_EQ(digits, "00000000");

    TSampleRoot copy(nullptr);
    TReader().ReadRoot(&copy, written, "written");
    EXPECT_EQ(copy.Blob->ReadCalls, 1);
    EXPECT_TRUE(copy.Blob->Data.empty());
}

TEST_F(FormReader, WriterLeavesOutDefaultsAndRoundTripsEveryKind) {
    Read(NestedForm);
    const std::string written = TWriter().WriteRoot(root.get());
    EXPECT_EQ(written.find("Size ="), std::string::npos) << "a property at its default is not written";
    TSampleRoot copy(nullptr);
    TReader().ReadRoot(&copy, written, "written");
    EXPECT_EQ(TWriter().WriteRoot(&copy), written);
}

TEST_F(FormReader, ReportsFaultsWithTheirLine) {
    EXPECT_EQ(ReadError("TSampleRoot Main {\n  TNoSuchClass X { }\n}"), "test.form(2): class TNoSuchClass is not registered");
    EXPECT_EQ(ReadError("TSampleRoot Main {\n Count = 1\n Colour = 3\n}"), "test.form(3): TSampleRoot has no property Colour");
    EXPECT_EQ(ReadError("TSampleRoot Main { Mode = smSideways }"),
              "test.form(1): Mode: 'smSideways' is not a value of TSampleMode (property Mode)");
    EXPECT_EQ(ReadError("TSampleRoot Main { Count = \"three\" }"), "test.form(1): the value does not fit Count (Integer)");
    EXPECT_EQ(ReadError("TSampleRoot Main { OnPing = @Missing }"), "test.form(1): TSampleRoot has no handler Missing");
    EXPECT_EQ(ReadError("TSampleRoot Main { OnPing = @Adjust }"), "test.form(1): handler Adjust does not fit the event OnPing");
    EXPECT_EQ(ReadError("TSampleRoot Main { Buddy = Nobody }"), "test.form(1): no component named Nobody");
    EXPECT_EQ(ReadError("TSampleRoot Main { TSampleBase First { } TSampleBase First { } }"),
              "test.form(1): A component named First already exists");
    EXPECT_EQ(ReadError("TSampleRoot Main { TSampleBlob Blob { Data = 5 } }"), "test.form(1): Data takes binary data <...>");
    EXPECT_EQ(ReadError("TSampleBase Main { }"), "test.form(1): the description is of TSampleBase, not of TSampleRoot");
}

TEST_F(FormReader, RejectsMalformedTextWithoutReadingPastIt) {
    EXPECT_EQ(ReadError("TSampleRoot Main {\n Title = \"open\n}"), "test.form(2): string not closed on its line");
    EXPECT_EQ(ReadError("TSampleRoot Main { TSampleBlob Blob { Data = < 123 > } }"),
              "test.form(1): binary data with an odd number of hex digits");
    EXPECT_EQ(ReadError("TSampleRoot Main { TSampleBlob Blob { Data = < 12 "), "test.form(1): binary data not closed with '>'");
    EXPECT_EQ(ReadError("TSampleRoot Main { Count = 1"), "test.form(1): property or component expected, found the end of the text");
    EXPECT_EQ(ReadError("TSampleRoot Main { } extra"), "test.form(1): text after the end of the form");
    EXPECT_EQ(ReadError("TSampleRoot Main { Count = 99999999999 }"), "test.form(1): Count: '99999999999' is not a valid integer value (property Count)");
    EXPECT_EQ(ReadError(""), "test.form(1): class name expected, found the end of the text");
}

TEST_F(FormReader, ABinaryReaderThatFindsTooFewBytesFailsCleanly) {
    // The size says 16 bytes, the data holds 2: the reader's stream refuses to read past its end.
    EXPECT_EQ(ReadError("TSampleRoot Main { TSampleBlob Blob { Data = < 10000000 4142 > } }"), "test.form(1): Data: Stream read error");
}

TEST_F(FormReader, ComponentsMadeBeforeAFaultGoWithTheRoot) {
    EXPECT_NE(ReadError("TSampleRoot Main { TSampleBase A { } TSampleBase B { Count = x } }"), "no error");
    EXPECT_EQ(root->ComponentCount(), 2);
    root.reset();  // frees both without leaks or double frees (checked by the sanitizers)
}

}  // namespace
