// The kinds of control skin that are not built yet: the dispatch gets none, and those controls
// keep their own looks.
#include "SkinControlFactory.h"

TSkinControl* NewSkinBox(TComponent*) { return nullptr; }
TSkinControl* NewSkinBoxH(TComponent*) { return nullptr; }
TSkinControl* NewSkinGroupBox(TComponent*) { return nullptr; }
TSkinControl* NewSkinStatusBar(TComponent*) { return nullptr; }
TSkinControl* NewSkinSizer(TComponent*) { return nullptr; }
TSkinControl* NewSkinTab(TComponent*, int) { return nullptr; }
TSkinControl* NewSkinTab31(TComponent*) { return nullptr; }
TSkinControl* NewSkinTabSheet(TComponent*) { return nullptr; }
TSkinControl* NewSkinAdvPage(TComponent*, int) { return nullptr; }
TSkinControl* NewSkinObjImage(TComponent*, int) { return nullptr; }

TSkinControl* NewSkinScrollbar(TComponent*, int) { return nullptr; }
TSkinControl* NewSkinListView(TComponent*) { return nullptr; }
void AttachSkinScrollbars(TSkinControl*, TControl*, TSkinData*, TWinSkinForm*, TCanvas*) {}
bool IsSkinListView(const TSkinControl*) { return false; }
