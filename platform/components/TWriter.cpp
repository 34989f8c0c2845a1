#include "components/TWriter.h"

#include "components/FormText.h"
#include "components/TClassInfo.h"
#include "components/TCollection.h"
#include "components/TCollectionItem.h"
#include "components/TComponent.h"
#include "components/TMemoryStream.h"
#include "components/TStrings.h"

TWriter::TWriter(TTextEncoder encoder) : FEncoder(std::move(encoder)) {}

std::string TWriter::Encode(const std::string& text) const { return FEncoder ? FEncoder(text) : text; }

std::string TWriter::WriteRoot(TComponent* root) {
    FRoot = root;
    FText.clear();
    WriteComponent(root, "");
    return FText;
}

void TWriter::WriteComponent(TComponent* component, const std::string& indent) {
    component->SetComponentState(csWriting);
    FText += indent + component->ClassName() + " " + component->Name() + " {\n";
    const std::string inner = indent + "  ";
    WriteProperties(component, "", inner, 0);
    FIndent = inner;
    component->DefineProperties(*this);
    component->GetChildren([&](TComponent* child) { WriteComponent(child, inner); }, FRoot);
    FText += indent + "}\n";
    component->ClearComponentState(csWriting);
}

void TWriter::WriteProperties(TObject* instance, const std::string& prefix, const std::string& indent, int depth) {
    for (const TPropInfo* prop : instance->ClassType().AllProperties()) {
        if (prop->Name == "Name" && prefix.empty()) continue;  // the header carries it
        switch (prop->Kind) {
        case TTypeKind::Integer:
        case TTypeKind::Enumeration:
        case TTypeKind::Set: {
            if (!prop->SetOrd) break;
            const long long value = prop->GetOrd(instance);
            if (prop->HasDefault && value == prop->Default) break;
            FText += indent + prefix + prop->Name + " = " + prop->OrdToText(value) + "\n";
            break;
        }
        case TTypeKind::String: {
            if (!prop->SetStr) break;
            const std::string value = prop->GetStr(instance);
            if (!value.empty()) FText += indent + prefix + prop->Name + " = " + QuoteFormString(Encode(value)) + "\n";
            break;
        }
        case TTypeKind::Class:
            WriteObjectProperty(instance, *prop, prefix, indent, depth);
            break;
        case TTypeKind::Method:
            break;  // bindings are made by hand in the description
        }
    }
}

void TWriter::WriteObjectProperty(TObject* instance, const TPropInfo& prop, const std::string& prefix, const std::string& indent, int depth) {
    TObject* held = prop.GetObjectValue(instance);
    if (!held) return;
    const std::string path = prefix + prop.Name;
    if (auto* component = dynamic_cast<TComponent*>(held)) {
        if (prop.SetObjectValue && !component->Name().empty()) FText += indent + path + " = " + component->Name() + "\n";
    } else if (auto* strings = dynamic_cast<TStrings*>(held)) {
        if (strings->Count() == 0) return;
        FText += indent + path + " = (\n";
        for (int i = 0; i < strings->Count(); ++i)
            FText += indent + "  " + QuoteFormString(Encode(strings->Get(i))) + (i + 1 < strings->Count() ? ",\n" : "\n");
        FText += indent + ")\n";
    } else if (auto* collection = dynamic_cast<TCollection*>(held)) {
        if (collection->Count() == 0) return;
        FText += indent + path + " = {\n";
        for (int i = 0; i < collection->Count(); ++i) {
            FText += indent + "  {\n";
            WriteProperties(collection->Items(i), "", indent + "    ", depth + 1);
            FText += indent + "  }\n";
        }
        FText += indent + "}\n";
    } else if (depth < 4) {
        // A sub-object such as a font: its properties with the dotted path.
        WriteProperties(held, path + ".", indent, depth + 1);
    }
}

void TWriter::DefineBinaryProperty(const std::string& name, TStreamProc, TStreamProc writeData, bool hasData) {
    if (!hasData || !writeData) return;
    TMemoryStream data;
    writeData(data);
    const std::string bytes(reinterpret_cast<const char*>(data.Memory()), static_cast<size_t>(data.Size()));
    FText += FIndent + name + " = " + HexLines(bytes, FIndent) + "\n";
}
