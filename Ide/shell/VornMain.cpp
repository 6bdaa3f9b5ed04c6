// The IDE's program: its one application object.
#include "CVornApp.h"

CVornApp theApp;
