#include "components/TGraphicsObject.h"

#include "components/TClassInfo.h"

const TClassInfo& TGraphicsObject::StaticClass() {
    static const TClassInfo info = TClassBuilder<TGraphicsObject>("TGraphicsObject").Build();
    return info;
}

TGraphicsObject::~TGraphicsObject() { DropHandle(); }

void TGraphicsObject::Changed() {
    // Users take the new handle before the old one goes, so none is deleted while selected.
    HGDIOBJ old = FHandle;
    FHandle = nullptr;
    if (OnChange) OnChange(this);
    if (old) DeleteObject(old);
}

void TGraphicsObject::SetCachedHandle(HGDIOBJ handle) {
    DropHandle();
    FHandle = handle;
}

void TGraphicsObject::DropHandle() {
    if (FHandle) DeleteObject(FHandle);
    FHandle = nullptr;
}
