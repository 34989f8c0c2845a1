#include "fmAbout.h"

#include "components/TClassInfo.h"

const TClassInfo& Tfabout::StaticClass() {
    static const TClassInfo info = TClassBuilder<Tfabout>("Tfabout")
        .Field("Image1", &Tfabout::Image1)
        .Field("Label1", &Tfabout::Label1)
        .Field("Button1", &Tfabout::Button1)
        .Handler("Button1Click", &Tfabout::Button1Click)
        .Build();
    return info;
}

void Tfabout::Button1Click(TObject*) { SetModalResult(mrOk); }
