// placeholder
#include "frame_fixture.h"
