#include "fmComSetting.h"

#include <windows.h>

#include "components/SysUtils.h"
#include "components/TClassInfo.h"
#include "fmMain.h"

namespace {

// The serial driver's parity codes of the items, in the list's order.
const int ParityCodes[] = {EVENPARITY, MARKPARITY, NOPARITY, ODDPARITY, SPACEPARITY};
// The driver's stop-bit codes of "1", "1.5" and "2".
const int StopBitCodes[] = {ONESTOPBIT, ONE5STOPBITS, TWOSTOPBITS};

template <std::size_t N>
int CodeAt(const int (&codes)[N], int index, int fallback) {
    return index >= 0 && index < static_cast<int>(N) ? codes[index] : fallback;
}

}  // namespace

const TClassInfo& Tfcomset::StaticClass() {
    static const TClassInfo info = TClassBuilder<Tfcomset>("Tfcomset")
        .Field("ComboBox1", &Tfcomset::ComboBox1)
        .Field("ComboBox2", &Tfcomset::ComboBox2)
        .Field("ComboBox3", &Tfcomset::ComboBox3)
        .Field("ComboBox4", &Tfcomset::ComboBox4)
        .Field("ComboBox5", &Tfcomset::ComboBox5)
        .Field("ComboBox6", &Tfcomset::ComboBox6)
        .Field("Button1", &Tfcomset::Button1)
        .Field("Button2", &Tfcomset::Button2)
        .Handler("FormCreate", &Tfcomset::FormCreate)
        .Handler("Button1Click", &Tfcomset::Button1Click)
        .Handler("Button2Click", &Tfcomset::Button2Click)
        .Build();
    return info;
}

void Tfcomset::FormCreate(TObject*) {
    ComboBox1->SetItemIndex(Form1->ComPortIndex);
    ComboBox2->SetItemIndex(Form1->BaudRateIndex);
    ComboBox3->SetItemIndex(Form1->ParityIndex);
    ComboBox4->SetItemIndex(Form1->DataBitsIndex);
    ComboBox5->SetItemIndex(Form1->StopBitsIndex);
}

void Tfcomset::Button1Click(TObject*) {
    Form1->ComPortIndex = ComboBox1->ItemIndex();
    Form1->BaudRateIndex = ComboBox2->ItemIndex();
    Form1->ParityIndex = ComboBox3->ItemIndex();
    Form1->DataBitsIndex = ComboBox4->ItemIndex();
    Form1->StopBitsIndex = ComboBox5->ItemIndex();
    Form1->ComPortNo = Form1->ComPortIndex + 1;
    Form1->BaudRate = StrToIntDef(ComboBox2->Text(), Form1->BaudRate);
    Form1->Parity = CodeAt(ParityCodes, Form1->ParityIndex, Form1->Parity);
    Form1->DataBits = StrToIntDef(ComboBox4->Text(), Form1->DataBits);
    Form1->StopBits = CodeAt(StopBitCodes, Form1->StopBitsIndex, Form1->StopBits);
    SetModalResult(mrOk);
}

void Tfcomset::Button2Click(TObject*) { SetModalResult(mrCancel); }
