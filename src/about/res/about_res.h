#pragma once
// Resources of the About window (also shown by the main window).
#define IDB_BANNER 3000
