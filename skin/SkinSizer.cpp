#include "SkinSizer.h"

#include "components/TClassInfo.h"

const TClassInfo& TSkinSizer::StaticClass() {
    static const TClassInfo info = TClassBuilder<TSkinSizer>("TSkinSizer").Build();
    return info;
}

void TSkinSizer::PaintSkin(HDC dc, const TRect& r) { FillBackground(dc, r); }
