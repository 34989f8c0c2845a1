#include "components/TPersistent.h"

#include "components/SysUtils.h"
#include "components/TClassInfo.h"

const TClassInfo& TPersistent::StaticClass() {
    static const TClassInfo info = TClassBuilder<TPersistent>("TPersistent").Build();
    return info;
}

void TPersistent::Assign(TPersistent* source) {
    if (source) source->AssignTo(this);
    else AssignTo(nullptr);
}

void TPersistent::AssignTo(TPersistent* dest) {
    const std::string target = dest ? dest->ClassName() : std::string("nil");
    throw EConvertError("Cannot assign a " + ClassName() + " to a " + target);
}

void TPersistent::DefineProperties(TFiler&) {}
