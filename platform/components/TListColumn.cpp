#include "components/TListColumn.h"

#include "components/TClassInfo.h"

const TClassInfo& TListColumn::StaticClass() {
    static const TClassInfo info = TClassBuilder<TListColumn>("TListColumn")
        .Enum("Alignment", AlignmentType, &TListColumn::Alignment, &TListColumn::SetAlignment).Default(taLeftJustify)
        .Str("Caption", &TListColumn::Caption, &TListColumn::SetCaption)
        .Int("Width", &TListColumn::Width, &TListColumn::SetWidth).Default(50)
        .Build();
    return info;
}

const TClassInfo& TListColumns::StaticClass() {
    static const TClassInfo info = TClassBuilder<TListColumns>("TListColumns").Build();
    return info;
}

void TListColumn::SetCaption(const std::string& caption) {
    FCaption = caption;
    Changed();
}

void TListColumn::SetWidth(int width) {
    FWidth = width;
    Changed();
}

void TListColumn::SetAlignment(TAlignment alignment) {
    FAlignment = alignment;
    Changed();
}

void TListColumn::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TListColumn*>(source)) {
        FCaption = other->FCaption;
        FWidth = other->FWidth;
        FAlignment = other->FAlignment;
        Changed();
        return;
    }
    TCollectionItem::Assign(source);
}
