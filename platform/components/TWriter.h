#pragma once
// Writes a root component and the components nested in it as a form description that TReader
// reads back: published properties (those equal to their declared default are left out), the
// binary data that DefineProperties declares, and the nested components.
#include <functional>
#include <string>

#include "components/TPersistent.h"

class TComponent;
class TPropInfo;

class TWriter : public TFiler {
public:
    // Turns the program's strings into the description's encoding (UTF-8).
    using TTextEncoder = std::function<std::string(const std::string&)>;

    explicit TWriter(TTextEncoder encoder = nullptr);
    std::string WriteRoot(TComponent* root);

    void DefineBinaryProperty(const std::string& name, TStreamProc readData, TStreamProc writeData, bool hasData) override;

private:
    void WriteComponent(TComponent* component, const std::string& indent);
    void WriteProperties(TObject* instance, const std::string& prefix, const std::string& indent, int depth);
    void WriteObjectProperty(TObject* instance, const TPropInfo& prop, const std::string& prefix, const std::string& indent, int depth);
    std::string Encode(const std::string& text) const;

    TTextEncoder FEncoder;
    TComponent* FRoot = nullptr;
    std::string FText;
    std::string FIndent;
};
