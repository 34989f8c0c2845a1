#pragma once
#include <functional>
#include <string>

#include "components/TObject.h"

class TStream;
using TStreamProc = std::function<void(TStream&)>;

// What a class tells the form reader and writer about the data it streams beyond its published
// properties. Only binary data is streamed this way: the reader hands the stored bytes to the
// read procedure as a stream, the writer stores what the write procedure puts into one.
class TFiler {
public:
    virtual ~TFiler() = default;
    virtual void DefineBinaryProperty(const std::string& name, TStreamProc readData, TStreamProc writeData, bool hasData) = 0;
};

class TPersistent : public TObject {
    DECLARE_CLASS(TPersistent, TObject)
public:
    // Copies the source's state; a class that cannot take the source throws EConvertError.
    virtual void Assign(TPersistent* source);
    virtual void DefineProperties(TFiler& filer);

protected:
    virtual void AssignTo(TPersistent* dest);
};
