#pragma once
// Resource ids of the progress bar's pictures. Written by make_art.py.
#define IDB_BAR_FRAME 2000
#define IDB_BAR_BLANK 2001
// Piece i of look n (ProgressLook order) is IDB_BAR_PIECE_BASE + 3 * n + i.
#define IDB_BAR_PIECE_BASE 2002
