// Standard command, string and window ids of the framework; plain #defines so that resource
// scripts can include it too.
#pragma once

#ifndef RC_INVOKED
#define FWS_ADDTOTITLE 0x00008000L // frame style: the document title goes in the caption
#endif

#define AFX_IDS_APP_TITLE 0xE000   // application title string
#define AFX_IDS_IDLEMESSAGE 0xE001 // status bar text when idle

#define ID_FILE_NEW 0xE100
#define ID_FILE_OPEN 0xE101
#define ID_FILE_SAVE 0xE103
#define ID_APP_ABOUT 0xE140
#define ID_APP_EXIT 0xE141
#define ID_INDICATOR_EXT 0xE700
#define ID_INDICATOR_CAPS 0xE701
#define ID_INDICATOR_NUM 0xE702
#define ID_INDICATOR_SCRL 0xE703
#define ID_SEPARATOR 0

#define AFX_IDW_TOOLBAR 0xE800
#define AFX_IDW_STATUS_BAR 0xE801
#define AFX_IDW_PANE_FIRST 0xE900
#define AFX_IDW_PANE_LAST 0xE9FF

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
