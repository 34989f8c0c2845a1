// The control dispatch's makers of the panel, tab, header and bar skins.
#include "SkinAdvPage.h"
#include "SkinBox.h"
#include "SkinBoxH.h"
#include "SkinControlFactory.h"
#include "SkinGroupBox.h"
#include "SkinObjImage.h"
#include "SkinSizer.h"
#include "SkinStatusBar.h"
#include "SkinTab.h"
#include "SkinTab31.h"
#include "SkinTabSheet.h"

TSkinControl* NewSkinBox(TComponent* owner) { return new TSkinBox(owner); }
TSkinControl* NewSkinBoxH(TComponent* owner) { return new TSkinBoxH(owner); }
TSkinControl* NewSkinGroupBox(TComponent* owner) { return new TSkinGroupBox(owner); }
TSkinControl* NewSkinStatusBar(TComponent* owner) { return new TSkinStatusBar(owner); }
TSkinControl* NewSkinSizer(TComponent* owner) { return new TSkinSizer(owner); }
TSkinControl* NewSkinTab(TComponent* owner, int tabMode) { return new TSkinTab(owner, tabMode); }
TSkinControl* NewSkinTabSheet(TComponent* owner) { return new TSkinTabSheet(owner); }
TSkinControl* NewSkinTab31(TComponent* owner) { return new TSkinTab31(owner); }
TSkinControl* NewSkinAdvPage(TComponent* owner, int pageMode) { return new TSkinAdvPage(owner, pageMode); }
TSkinControl* NewSkinObjImage(TComponent* owner, int glyphMode) { return new TSkinObjImage(owner, glyphMode); }
