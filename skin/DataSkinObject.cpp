#include "DataSkinObject.h"

#include "components/TClassInfo.h"

const TClassInfo& TDataSkinObject::StaticClass() {
    static const TClassInfo info = TClassBuilder<TDataSkinObject>("TDataSkinObject").Build();
    return info;
}

const TClassInfo& TDataSkinBorder::StaticClass() {
    static const TClassInfo info = TClassBuilder<TDataSkinBorder>("TDataSkinBorder").Build();
    return info;
}

const TClassInfo& TDataSkinTitle::StaticClass() {
    static const TClassInfo info = TClassBuilder<TDataSkinTitle>("TDataSkinTitle").Build();
    return info;
}

const TClassInfo& TDataSkinButton::StaticClass() {
    static const TClassInfo info = TClassBuilder<TDataSkinButton>("TDataSkinButton").Build();
    return info;
}

const TClassInfo& TDataSkinSysButton::StaticClass() {
    static const TClassInfo info = TClassBuilder<TDataSkinSysButton>("TDataSkinSysButton").Build();
    return info;
}

const TClassInfo& TDataSkinBoxLabel::StaticClass() {
    static const TClassInfo info = TClassBuilder<TDataSkinBoxLabel>("TDataSkinBoxLabel").Build();
    return info;
}
