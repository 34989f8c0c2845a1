#include "fmAccountManage.h"

#include "components/TClassInfo.h"

const TClassInfo& Tfaccount::StaticClass() {
    static const TClassInfo info = TClassBuilder<Tfaccount>("Tfaccount")
        .Field("ListBox1", &Tfaccount::ListBox1)
        .Field("Button4", &Tfaccount::Button4)
        .Handler("Button4Click", &Tfaccount::Button4Click)
        .Build();
    return info;
}

void Tfaccount::Button4Click(TObject*) { SetModalResult(mrOk); }
