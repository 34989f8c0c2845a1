#include "components/Win32.h"

#include "components/TApplication.h"
#include "components/TButton.h"
#include "components/TClassInfo.h"
#include "components/TColorBox.h"
#include "components/TCustomCheckBox.h"
#include "components/TCustomComboBox.h"
#include "components/TCustomEdit.h"
#include "components/TCustomGroupBox.h"
#include "components/TCustomLabel.h"
#include "components/TCustomListBox.h"
#include "components/TCustomListView.h"
#include "components/TCustomMemo.h"
#include "components/TCustomPanel.h"
#include "components/TCustomStatusBar.h"
#include "components/TDirectoryListBox.h"
#include "components/TDriveComboBox.h"
#include "components/TForm.h"
#include "components/TImage.h"
#include "components/TImageList.h"
#include "components/TMainMenu.h"
#include "components/TPageControl.h"
#include "components/TPopupMenu.h"
#include "components/TRadioButton.h"
#include "components/TShape.h"
#include "components/TTabSheet.h"
#include "components/TTimer.h"
#include "components/TToolBar.h"
#include "components/TToolButton.h"

void RegisterComponentClasses() {
    static const bool registered = [] {
        for (const TClassInfo* cls : {
                 &TButton::StaticClass(),       &TCheckBox::StaticClass(),      &TRadioButton::StaticClass(),
                 &TEdit::StaticClass(),         &TMemo::StaticClass(),          &TLabel::StaticClass(),
                 &TComboBox::StaticClass(),     &TListBox::StaticClass(),       &TGroupBox::StaticClass(),
                 &TPanel::StaticClass(),        &TShape::StaticClass(),         &TImage::StaticClass(),
                 &TColorBox::StaticClass(),     &TDriveComboBox::StaticClass(), &TDirectoryListBox::StaticClass(),
                 &TListView::StaticClass(),     &TStatusBar::StaticClass(),     &TToolBar::StaticClass(),
                 &TToolButton::StaticClass(),   &TPageControl::StaticClass(),   &TTabSheet::StaticClass(),
                 &TMainMenu::StaticClass(),     &TPopupMenu::StaticClass(),     &TMenuItem::StaticClass(),
                 &TTimer::StaticClass(),        &TImageList::StaticClass(),     &TForm::StaticClass(),
             })
            RegisterComponentClass(*cls);
        return true;
    }();
    (void)registered;
}
