#include "components/TForm.h"

#include "components/TClassInfo.h"

const TClassInfo& TForm::StaticClass() {
    static const TClassInfo info = TClassBuilder<TForm>("TForm").Build();
    return info;
}
