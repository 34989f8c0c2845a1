#include "components/TReader.h"

#include "components/SysUtils.h"
#include "components/TClassInfo.h"
#include "components/TCollection.h"
#include "components/TCollectionItem.h"
#include "components/TComponent.h"
#include "components/TMemoryStream.h"
#include "components/TStrings.h"

TReader::TReader(TTextDecoder decoder) : FDecoder(std::move(decoder)) {}

void TReader::Fail(int line, const std::string& message) const {
    throw EReadError(FSource + "(" + IntToStr(line) + "): " + message);
}

std::string TReader::Decode(const std::string& text) const { return FDecoder ? FDecoder(text) : text; }

void TReader::ReadRoot(TComponent* root, const std::string& text, const std::string& sourceName) {
    FSource = sourceName;
    FRoot = root;
    FLoaded.clear();
    FFixups.clear();
    const TFormNode node = ParseFormText(text, sourceName);
    if (!SameText(node.ClassName, root->ClassName()))
        Fail(node.Line, "the description is of " + node.ClassName + ", not of " + root->ClassName());

    root->SetComponentState(csReading | csLoading);
    FLoaded.push_back(root);
    try {
        if (root->Name().empty()) root->SetName(node.Name);
    } catch (const EComponentError&) {
        // A second instance of the same form keeps no name rather than a clashing one.
    }
    ApplyProperties(root, node.Properties);
    for (const TFormNode& child : node.Children) ReadComponent(child, root);
    ResolveFixups();
    root->ClearComponentState(csReading);
    // Loaded comes only after every component of the form exists and has all its properties.
    const std::vector<TComponent*> loaded = FLoaded;
    for (TComponent* component : loaded) component->Loaded();
}

void TReader::ReadComponent(const TFormNode& node, TComponent* parent) {
    const TClassInfo* cls = FindClassInfo(node.ClassName);
    if (!cls) Fail(node.Line, "class " + node.ClassName + " is not registered");
    if (!cls->CanCreate()) Fail(node.Line, "class " + node.ClassName + " cannot be created by name");

    TComponent* component = cls->Create(FRoot);
    component->SetComponentState(csReading | csLoading);
    FLoaded.push_back(component);
    try {
        component->SetName(node.Name);
        component->SetParentComponent(parent);
    } catch (const Exception& e) {
        Fail(node.Line, e.Message());
    }
    if (const TFieldInfo* field = FRoot->ClassType().FindField(node.Name))
        if (!field->Assign(FRoot, component))
            Fail(node.Line, node.Name + " is a " + node.ClassName + ", which the field of " + FRoot->ClassName() + " cannot hold");

    ApplyProperties(component, node.Properties);
    for (const TFormNode& child : node.Children) ReadComponent(child, component);
    component->ClearComponentState(csReading);
}

void TReader::ApplyProperties(TObject* instance, const std::vector<TFormAssignment>& assignments) {
    for (const TFormAssignment& a : assignments) {
        try {
            Apply(instance, a);
        } catch (const EReadError&) {
            throw;
        } catch (const Exception& e) {
            Fail(a.Line, a.Path + ": " + e.Message());
        }
    }
}

void TReader::Apply(TObject* instance, const TFormAssignment& a) {
    TObject* target = instance;
    std::string rest = a.Path;
    for (size_t dot = rest.find('.'); dot != std::string::npos; dot = rest.find('.')) {
        const std::string step = rest.substr(0, dot);
        const TPropInfo* prop = target->ClassType().FindProperty(step);
        if (!prop || prop->Kind != TTypeKind::Class) Fail(a.Line, target->ClassName() + " has no object property " + step);
        TObject* inner = prop->GetObjectValue(target);
        if (!inner) Fail(a.Line, step + " of " + target->ClassName() + " holds no object");
        target = inner;
        rest = rest.substr(dot + 1);
    }
    if (const TPropInfo* prop = target->ClassType().FindProperty(rest)) return SetValue(target, *prop, a);
    if (ReadDefined(target, rest, a)) return;
    Fail(a.Line, target->ClassName() + " has no property " + rest);
}

bool TReader::ReadDefined(TObject* target, const std::string& name, const TFormAssignment& a) {
    auto* persistent = dynamic_cast<TPersistent*>(target);
    if (!persistent) return false;
    FWantedName = name;
    FFound = false;
    FFoundReader = nullptr;
    persistent->DefineProperties(*this);
    FWantedName.clear();
    if (!FFound) return false;
    if (a.Value.Kind != TFormValue::Binary) Fail(a.Line, name + " takes binary data <...>");
    TMemoryStream data;
    if (!a.Value.Bytes.empty()) data.WriteBuffer(a.Value.Bytes.data(), static_cast<int64_t>(a.Value.Bytes.size()));
    data.SetPosition(0);
    if (FFoundReader) FFoundReader(data);
    return true;
}

void TReader::DefineBinaryProperty(const std::string& name, TStreamProc readData, TStreamProc, bool) {
    if (!FWantedName.empty() && SameText(name, FWantedName)) {
        FFound = true;
        FFoundReader = std::move(readData);
    }
}

void TReader::SetValue(TObject* target, const TPropInfo& prop, const TFormAssignment& a) {
    const TFormValue& v = a.Value;
    if (prop.Kind == TTypeKind::Class) return SetObjectValue(target, prop, a);
    if (!prop.IsWritable()) Fail(a.Line, prop.Name + " is read-only");
    switch (prop.Kind) {
    case TTypeKind::Integer:
        // Integers are 32 bits: a number as written must fit (hexadecimal as a bit pattern).
        if (v.Kind == TFormValue::Number || v.Kind == TFormValue::Ident) return prop.SetOrd(target, prop.TextToOrd(v.Text));
        break;
    case TTypeKind::Enumeration:
        if (v.Kind == TFormValue::Ident) return prop.SetOrd(target, prop.TextToOrd(v.Text));
        break;
    case TTypeKind::Set:
        if (v.Kind == TFormValue::Set) {
            std::string text = "[";
            for (const std::string& m : v.Items) text += m + ",";
            return prop.SetOrd(target, prop.TextToOrd(text + "]"));
        }
        break;
    case TTypeKind::String:
        if (v.Kind == TFormValue::String) return prop.SetStr(target, Decode(v.Text));
        break;
    case TTypeKind::Method:
        if (v.Kind == TFormValue::Handler) {
            const THandlerInfo* handler = FRoot->ClassType().FindHandler(v.Text);
            if (!handler) Fail(a.Line, FRoot->ClassName() + " has no handler " + v.Text);
            if (!prop.SetMethod(target, handler->Bind(FRoot)))
                Fail(a.Line, "handler " + v.Text + " does not fit the event " + prop.Name);
            return;
        }
        break;
    default:
        break;
    }
    Fail(a.Line, "the value does not fit " + prop.Name + " (" + prop.TypeNameOf() + ")");
}

void TReader::SetObjectValue(TObject* target, const TPropInfo& prop, const TFormAssignment& a) {
    const TFormValue& v = a.Value;
    if (v.Kind == TFormValue::Ident) {
        if (!prop.SetObjectValue) Fail(a.Line, prop.Name + " is read-only");
        if (SameText(v.Text, "nil")) {
            prop.SetObjectValue(target, nullptr);
            return;
        }
        // The component may come later in the text: references are set when all exist.
        FFixups.push_back({target, &prop, v.Text, a.Line});
        return;
    }
    TObject* held = prop.GetObjectValue(target);
    if (v.Kind == TFormValue::List) {
        auto* strings = dynamic_cast<TStrings*>(held);
        if (!strings) Fail(a.Line, prop.Name + " is not a list of strings");
        strings->BeginUpdate();
        strings->Clear();
        for (const std::string& item : v.Items) strings->Add(Decode(item));
        strings->EndUpdate();
        return;
    }
    if (v.Kind == TFormValue::Collection) {
        auto* collection = dynamic_cast<TCollection*>(held);
        if (!collection) Fail(a.Line, prop.Name + " is not a collection");
        collection->BeginUpdate();
        collection->Clear();
        for (const auto& block : v.Blocks) ApplyProperties(collection->AddItem(), block);
        collection->EndUpdate();
        return;
    }
    Fail(a.Line, "the value does not fit " + prop.Name + " (" + prop.TypeNameOf() + ")");
}

TComponent* TReader::ComponentNamed(const std::string& name) const {
    if (SameText(FRoot->Name(), name)) return FRoot;
    return FRoot->FindComponent(name);
}

void TReader::ResolveFixups() {
    for (const TFixup& f : FFixups) {
        TComponent* component = ComponentNamed(f.ComponentName);
        if (!component) Fail(f.Line, "no component named " + f.ComponentName);
        bool fits = false;
        try {
            fits = f.Prop->SetObjectValue(f.Target, component);
        } catch (const Exception& e) {
            Fail(f.Line, f.Prop->Name + ": " + e.Message());
        }
        if (!fits) Fail(f.Line, f.ComponentName + " is a " + component->ClassName() + ", which " + f.Prop->Name + " cannot hold");
    }
    FFixups.clear();
}
