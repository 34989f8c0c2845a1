#pragma once
#define IDB_REPORT_IMAGES 200
