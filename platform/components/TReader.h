#pragma once
// Applies a form description to a root component: creates the nested components by registered
// class name, sets their properties by name in stored order while they are in the reading
// state, feeds binary data to the readers that DefineProperties declares, binds events to the
// root's handlers by name, points the root's fields at the components of the same name, resolves
// references between components, and finally calls Loaded once on every component.
#include <functional>
#include <string>
#include <vector>

#include "components/FormText.h"
#include "components/TPersistent.h"

class TComponent;
class TPropInfo;

class TReader : public TFiler {
public:
    // Turns the description's strings (UTF-8) into the program's text encoding.
    using TTextDecoder = std::function<std::string(const std::string&)>;

    explicit TReader(TTextDecoder decoder = nullptr);

    // Throws EReadError naming the source and line of the first fault; components created
    // before the fault stay owned by the root and go with it.
    void ReadRoot(TComponent* root, const std::string& text, const std::string& sourceName);

    void DefineBinaryProperty(const std::string& name, TStreamProc readData, TStreamProc writeData, bool hasData) override;

private:
    struct TFixup {
        TObject* Target;
        const TPropInfo* Prop;
        std::string ComponentName;
        int Line;
    };

    void ReadComponent(const TFormNode& node, TComponent* parent);
    void ApplyProperties(TObject* instance, const std::vector<TFormAssignment>& assignments);
    void Apply(TObject* instance, const TFormAssignment& a);
    void SetValue(TObject* target, const TPropInfo& prop, const TFormAssignment& a);
    void SetObjectValue(TObject* target, const TPropInfo& prop, const TFormAssignment& a);
    bool ReadDefined(TObject* target, const std::string& name, const TFormAssignment& a);
    void ResolveFixups();
    TComponent* ComponentNamed(const std::string& name) const;
    std::string Decode(const std::string& text) const;
    [[noreturn]] void Fail(int line, const std::string& message) const;

    TTextDecoder FDecoder;
    std::string FSource;
    TComponent* FRoot = nullptr;
    std::vector<TComponent*> FLoaded;
    std::vector<TFixup> FFixups;
    // The binary property asked for while a component's DefineProperties runs.
    std::string FWantedName;
    TStreamProc FFoundReader;
    bool FFound = false;
};
