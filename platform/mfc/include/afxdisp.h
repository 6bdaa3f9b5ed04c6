// OLE start-up as far as the programs need it.
#pragma once

#include "afxwin.h"

// Initialises OLE for the process (uninitialised at exit); FALSE on failure.
BOOL AFXAPI AfxOleInit();
// Programs that host controls call this; the library hosts none, so it only records it.
void AFXAPI AfxEnableControlContainer();
