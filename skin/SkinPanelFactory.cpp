// The control dispatch's makers of the panel, tab, header and bar skins.
#include "SkinBox.h"
#include "SkinBoxH.h"
#include "SkinControlFactory.h"
#include "SkinGroupBox.h"
#include "SkinSizer.h"
#include "SkinStatusBar.h"
#include "SkinTab.h"
#include "SkinTabSheet.h"

TSkinControl* NewSkinBox(TComponent* owner) { return new TSkinBox(owner); }
TSkinControl* NewSkinBoxH(TComponent* owner) { return new TSkinBoxH(owner); }
TSkinControl* NewSkinGroupBox(TComponent* owner) { return new TSkinGroupBox(owner); }
TSkinControl* NewSkinStatusBar(TComponent* owner) { return new TSkinStatusBar(owner); }
TSkinControl* NewSkinSizer(TComponent* owner) { return new TSkinSizer(owner); }
TSkinControl* NewSkinTab(TComponent* owner, int tabMode) { return new TSkinTab(owner, tabMode); }
TSkinControl* NewSkinTabSheet(TComponent* owner) { return new TSkinTabSheet(owner); }
