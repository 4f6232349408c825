#pragma once

// Resource numbers shared by drovane.rc and the code. Plain defines: the
// resource compiler reads this file too. The lowest icon number is the one
// Explorer shows for the program file, so the gear comes first.
#define DROVANE_ICON_MACHINE 1
#define DROVANE_ICON_COMPUTER 2
#define DROVANE_ICON_SEND 3
#define DROVANE_ICON_RECEIVE 4
