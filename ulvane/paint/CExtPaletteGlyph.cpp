// CExtPaletteGlyph: the pixel copies and turns, and the process's glyph records.
#include "CExtPaletteGlyph.h"

#include <new>

namespace
{
// The pixels of the constant records, row by row from the top (0 transparent).
// record 0, 5 x 3
const int arrRecord0[] = {
    1, 1, 1, 1, 1,
    0, 1, 1, 1, 0,
    0, 0, 1, 0, 0,
};
// record 1, 5 x 6
const int arrRecord1[] = {
    1, 1, 1, 1, 1,
    0, 0, 0, 0, 0,
    0, 0, 0, 0, 0,
    1, 1, 1, 1, 1,
    0, 1, 1, 1, 0,
    0, 0, 1, 0, 0,
};
// record 2, 8 x 5
const int arrRecord2[] = {
    1, 1, 0, 0, 1, 1, 0, 0,
    0, 1, 1, 0, 0, 1, 1, 0,
    0, 0, 1, 1, 0, 0, 1, 1,
    0, 1, 1, 0, 0, 1, 1, 0,
    1, 1, 0, 0, 1, 1, 0, 0,
};
// record 3, 6 x 5
const int arrRecord3[] = {
    0, 0, 0, 0, 0, 0,
    1, 0, 0, 0, 1, 0,
    1, 1, 0, 0, 1, 1,
    1, 0, 0, 0, 1, 0,
    0, 0, 0, 0, 0, 0,
};
// record 10, 12 x 16
const int arrRecord10[] = {
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 1, 1, 1, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 0, 0,
    0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 0,
    0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1,
    0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 0,
    0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 0, 0,
    0, 0, 0, 0, 0, 0, 1, 1, 1, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
};
// record 11, 12 x 16
const int arrRecord11[] = {
    1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0,
    1, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0,
    1, 0, 0, 0, 0, 0, 1, 1, 1, 0, 0, 0,
    1, 0, 0, 0, 0, 0, 1, 1, 1, 1, 0, 0,
    1, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 0,
    1, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1,
    1, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 0,
    1, 0, 0, 0, 0, 0, 1, 1, 1, 1, 0, 0,
    1, 0, 0, 0, 0, 0, 1, 1, 1, 0, 0, 0,
    1, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0,
    1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0,
    1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
};
// record 12, 9 x 9
const int arrRecord12[] = {
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
};
// record 13, 9 x 9
const int arrRecord13[] = {
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 1, 1, 0, 0, 0, 0, 1, 1,
    0, 0, 1, 1, 0, 0, 1, 1, 0,
    0, 0, 0, 1, 1, 1, 1, 0, 0,
    0, 0, 0, 0, 1, 1, 0, 0, 0,
    0, 0, 0, 1, 1, 1, 1, 0, 0,
    0, 0, 1, 1, 0, 0, 1, 1, 0,
    0, 1, 1, 0, 0, 0, 0, 1, 1,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
};
// record 14, 9 x 9
const int arrRecord14[] = {
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 1, 1, 0, 0, 0, 1, 1, 0,
    0, 0, 1, 1, 0, 1, 1, 0, 0,
    0, 0, 0, 1, 1, 1, 0, 0, 0,
    0, 0, 0, 1, 1, 1, 0, 0, 0,
    0, 0, 1, 1, 0, 1, 1, 0, 0,
    0, 1, 1, 0, 0, 0, 1, 1, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
};
// record 15, 9 x 9
const int arrRecord15[] = {
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 1, 0, 0, 0, 0, 0, 1, 0,
    0, 0, 1, 0, 0, 0, 1, 0, 0,
    0, 0, 0, 1, 0, 1, 0, 0, 0,
    0, 0, 0, 0, 1, 0, 0, 0, 0,
    0, 0, 0, 1, 0, 1, 0, 0, 0,
    0, 0, 1, 0, 0, 0, 1, 0, 0,
    0, 1, 0, 0, 0, 0, 0, 1, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
};
// record 16, 9 x 9
const int arrRecord16[] = {
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 1, 0, 0, 0, 0,
    0, 0, 0, 1, 1, 1, 0, 0, 0,
    0, 0, 1, 1, 1, 1, 1, 0, 0,
    0, 1, 1, 1, 1, 1, 1, 1, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
};
// record 20, 9 x 9
const int arrRecord20[] = {
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 1, 1, 1, 1, 1, 1, 1, 0,
    0, 1, 1, 1, 1, 1, 1, 1, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
};
// record 21, 9 x 9
const int arrRecord21[] = {
    0, 0, 1, 1, 1, 1, 1, 1, 0,
    0, 0, 1, 0, 0, 0, 0, 1, 0,
    1, 1, 1, 1, 1, 1, 0, 1, 0,
    1, 1, 1, 1, 1, 1, 0, 1, 0,
    1, 0, 0, 0, 0, 1, 1, 1, 0,
    1, 0, 0, 0, 0, 1, 0, 0, 0,
    1, 0, 0, 0, 0, 1, 0, 0, 0,
    1, 1, 1, 1, 1, 1, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
};
// record 22, 9 x 9
const int arrRecord22[] = {
    1, 1, 1, 1, 1, 1, 1, 1, 1,
    1, 1, 1, 1, 1, 1, 1, 1, 1,
    1, 0, 0, 0, 0, 0, 0, 0, 1,
    1, 0, 0, 0, 0, 0, 0, 0, 1,
    1, 0, 0, 0, 0, 0, 0, 0, 1,
    1, 0, 0, 0, 0, 0, 0, 0, 1,
    1, 0, 0, 0, 0, 0, 0, 0, 1,
    1, 0, 0, 0, 0, 0, 0, 0, 1,
    1, 1, 1, 1, 1, 1, 1, 1, 1,
};
// record 23, 9 x 9
const int arrRecord23[] = {
    0, 0, 1, 1, 1, 1, 1, 0, 0,
    0, 0, 1, 0, 0, 1, 1, 0, 0,
    0, 0, 1, 0, 0, 1, 1, 0, 0,
    0, 0, 1, 0, 0, 1, 1, 0, 0,
    0, 0, 1, 0, 0, 1, 1, 0, 0,
    0, 1, 1, 1, 1, 1, 1, 1, 0,
    0, 0, 0, 0, 1, 0, 0, 0, 0,
    0, 0, 0, 0, 1, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
};
// record 25, 9 x 9
const int arrRecord25[] = {
    0, 0, 0, 1, 1, 1, 1, 0, 0,
    0, 0, 1, 1, 0, 0, 1, 1, 0,
    0, 0, 1, 1, 0, 0, 1, 1, 0,
    0, 0, 0, 0, 0, 1, 1, 0, 0,
    0, 0, 0, 0, 1, 1, 0, 0, 0,
    0, 0, 0, 0, 1, 1, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 1, 1, 0, 0, 0,
    0, 0, 0, 0, 1, 1, 0, 0, 0,
};
// record 26, 9 x 9
const int arrRecord26[] = {
    0, 0, 0, 0, 1, 0, 0, 0, 0,
    0, 0, 0, 1, 1, 1, 0, 0, 0,
    0, 0, 1, 1, 1, 1, 1, 0, 0,
    0, 1, 1, 1, 1, 1, 1, 1, 0,
    1, 1, 1, 1, 1, 1, 1, 1, 1,
    0, 0, 1, 1, 1, 1, 1, 0, 0,
    0, 0, 1, 1, 1, 1, 1, 0, 0,
    0, 0, 1, 1, 1, 1, 1, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
};
// record 30, 9 x 9
const int arrRecord30[] = {
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 1, 0, 0, 0, 0,
    0, 0, 0, 1, 0, 1, 0, 0, 0,
    0, 0, 1, 0, 0, 0, 1, 0, 0,
    0, 1, 0, 0, 0, 0, 0, 1, 0,
    1, 1, 1, 1, 1, 1, 1, 1, 1,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
};
// record 34, 9 x 9
const int arrRecord34[] = {
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 1, 0, 0, 0, 0,
    0, 0, 0, 0, 1, 0, 0, 0, 0,
    0, 0, 1, 1, 1, 1, 1, 0, 0,
    0, 0, 0, 0, 1, 0, 0, 0, 0,
    0, 0, 0, 0, 1, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
};
// record 35, 9 x 9
const int arrRecord35[] = {
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 1, 1, 1, 1, 1, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
};
// record 36, 9 x 9
const int arrRecord36[] = {
    1, 1, 1, 1, 1, 1, 1, 1, 1,
    1, 0, 0, 0, 0, 0, 0, 0, 1,
    1, 0, 0, 0, 1, 0, 0, 0, 1,
    1, 0, 0, 0, 1, 0, 0, 0, 1,
    1, 0, 1, 1, 1, 1, 1, 0, 1,
    1, 0, 0, 0, 1, 0, 0, 0, 1,
    1, 0, 0, 0, 1, 0, 0, 0, 1,
    1, 0, 0, 0, 0, 0, 0, 0, 1,
    1, 1, 1, 1, 1, 1, 1, 1, 1,
};
// record 37, 9 x 9
const int arrRecord37[] = {
    1, 1, 1, 1, 1, 1, 1, 1, 1,
    1, 0, 0, 0, 0, 0, 0, 0, 1,
    1, 0, 0, 0, 0, 0, 0, 0, 1,
    1, 0, 0, 0, 0, 0, 0, 0, 1,
    1, 0, 1, 1, 1, 1, 1, 0, 1,
    1, 0, 0, 0, 0, 0, 0, 0, 1,
    1, 0, 0, 0, 0, 0, 0, 0, 1,
    1, 0, 0, 0, 0, 0, 0, 0, 1,
    1, 1, 1, 1, 1, 1, 1, 1, 1,
};
// record 38, 9 x 9
const int arrRecord38[] = {
    0, 0, 1, 1, 1, 1, 1, 0, 0,
    0, 1, 0, 0, 0, 0, 0, 1, 0,
    1, 0, 0, 0, 1, 0, 0, 0, 1,
    1, 0, 0, 0, 1, 0, 0, 0, 1,
    1, 0, 1, 1, 1, 1, 1, 0, 1,
    1, 0, 0, 0, 1, 0, 0, 0, 1,
    1, 0, 0, 0, 1, 0, 0, 0, 1,
    0, 1, 0, 0, 0, 0, 0, 1, 0,
    0, 0, 1, 1, 1, 1, 1, 0, 0,
};
// record 39, 9 x 9
const int arrRecord39[] = {
    0, 0, 1, 1, 1, 1, 1, 0, 0,
    0, 1, 0, 0, 0, 0, 0, 1, 0,
    1, 0, 0, 0, 0, 0, 0, 0, 1,
    1, 0, 0, 0, 0, 0, 0, 0, 1,
    1, 0, 1, 1, 1, 1, 1, 0, 1,
    1, 0, 0, 0, 0, 0, 0, 0, 1,
    1, 0, 0, 0, 0, 0, 0, 0, 1,
    0, 1, 0, 0, 0, 0, 0, 1, 0,
    0, 0, 1, 1, 1, 1, 1, 0, 0,
};
// record 40, 11 x 11
const int arrRecord40[] = {
    0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 1, 1, 1, 0, 0, 0, 0,
    0, 0, 0, 1, 1, 1, 1, 1, 0, 0, 0,
    0, 0, 1, 1, 1, 1, 1, 1, 1, 0, 0,
    0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0,
    1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
    0, 0, 0, 1, 1, 1, 1, 1, 0, 0, 0,
    0, 0, 0, 1, 1, 1, 1, 1, 0, 0, 0,
    0, 0, 0, 1, 1, 1, 1, 1, 0, 0, 0,
    0, 0, 0, 1, 1, 1, 1, 1, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
};
// record 44, 5 x 3
const int arrRecord44[] = {
    0, 0, 1, 0, 0,
    0, 1, 1, 1, 0,
    1, 1, 1, 1, 1,
};
// record 48, 9 x 3
const int arrRecord48[] = {
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 1, 0, 0, 1, 0, 0, 1, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
};
// record 49, 11 x 11
const int arrRecord49[] = {
    1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0,
    1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0,
    1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0,
    1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0,
    1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0,
    1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0,
    1, 1, 0, 0, 1, 1, 1, 1, 1, 0, 0,
    1, 0, 0, 0, 0, 1, 1, 1, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
};
// record 53, 10 x 10
const int arrRecord53[] = {
    0, 0, 0, 0, 1, 1, 0, 0, 0, 0,
    0, 0, 0, 0, 1, 1, 0, 0, 0, 0,
    0, 0, 0, 1, 3, 1, 1, 0, 0, 0,
    0, 0, 0, 3, 0, 0, 1, 0, 0, 0,
    0, 0, 1, 1, 0, 0, 1, 1, 0, 0,
    0, 0, 3, 0, 0, 0, 0, 1, 0, 0,
    0, 1, 1, 0, 0, 0, 0, 1, 1, 0,
    0, 3, 0, 0, 0, 0, 0, 0, 1, 0,
    1, 1, 0, 0, 0, 0, 0, 0, 1, 1,
    1, 2, 2, 2, 2, 2, 2, 2, 2, 2,
};
// record 54, 10 x 10
const int arrRecord54[] = {
    3, 3, 3, 3, 3, 3, 3, 3, 3, 2,
    1, 1, 0, 0, 0, 0, 0, 0, 2, 2,
    0, 3, 0, 0, 0, 0, 0, 0, 2, 0,
    0, 1, 1, 0, 0, 0, 0, 2, 2, 0,
    0, 0, 3, 0, 0, 0, 0, 2, 0, 0,
    0, 0, 1, 1, 0, 0, 2, 2, 0, 0,
    0, 0, 0, 3, 0, 0, 2, 0, 0, 0,
    0, 0, 0, 1, 3, 2, 2, 0, 0, 0,
    0, 0, 0, 0, 1, 2, 0, 0, 0, 0,
    0, 0, 0, 0, 1, 2, 0, 0, 0, 0,
};

// How each record is made: from constant pixels, or as a turned copy of an earlier one.
struct GlyphRecordSource
{
    int cx, cy, nColorCount;
    const int* pData;
    int nSourceRecord;
    int nAngle;
};

const GlyphRecordSource arrRecordSources[CExtPaletteGlyph::nRecordCount] = {
    {5, 3, 2, arrRecord0, -1, 0},
    {5, 6, 2, arrRecord1, -1, 0},
    {8, 5, 2, arrRecord2, -1, 0},
    {6, 5, 2, arrRecord3, -1, 0},
    {0, 0, 0, NULL, 0, 90},
    {0, 0, 0, NULL, 1, 90},
    {0, 0, 0, NULL, 0, 270},
    {0, 0, 0, NULL, 1, 270},
    {0, 0, 0, NULL, 2, 90},
    {0, 0, 0, NULL, 3, 90},
    {12, 16, 2, arrRecord10, -1, 0},
    {12, 16, 2, arrRecord11, -1, 0},
    {9, 9, 2, arrRecord12, -1, 0},
    {9, 9, 2, arrRecord13, -1, 0},
    {9, 9, 2, arrRecord14, -1, 0},
    {9, 9, 2, arrRecord15, -1, 0},
    {9, 9, 2, arrRecord16, -1, 0},
    {0, 0, 0, NULL, 16, 180},
    {0, 0, 0, NULL, 16, 270},
    {0, 0, 0, NULL, 18, 180},
    {9, 9, 2, arrRecord20, -1, 0},
    {9, 9, 2, arrRecord21, -1, 0},
    {9, 9, 2, arrRecord22, -1, 0},
    {9, 9, 2, arrRecord23, -1, 0},
    {0, 0, 0, NULL, 23, 90},
    {9, 9, 2, arrRecord25, -1, 0},
    {9, 9, 2, arrRecord26, -1, 0},
    {0, 0, 0, NULL, 26, 180},
    {0, 0, 0, NULL, 26, 270},
    {0, 0, 0, NULL, 28, 180},
    {9, 9, 2, arrRecord30, -1, 0},
    {0, 0, 0, NULL, 30, 180},
    {0, 0, 0, NULL, 30, 270},
    {0, 0, 0, NULL, 32, 180},
    {9, 9, 2, arrRecord34, -1, 0},
    {9, 9, 2, arrRecord35, -1, 0},
    {9, 9, 2, arrRecord36, -1, 0},
    {9, 9, 2, arrRecord37, -1, 0},
    {9, 9, 2, arrRecord38, -1, 0},
    {9, 9, 2, arrRecord39, -1, 0},
    {11, 11, 2, arrRecord40, -1, 0},
    {0, 0, 0, NULL, 40, 180},
    {0, 0, 0, NULL, 40, 270},
    {0, 0, 0, NULL, 42, 180},
    {5, 3, 2, arrRecord44, -1, 0},
    {0, 0, 0, NULL, 44, 180},
    {0, 0, 0, NULL, 44, 270},
    {0, 0, 0, NULL, 46, 180},
    {9, 3, 2, arrRecord48, -1, 0},
    {11, 11, 2, arrRecord49, -1, 0},
    {0, 0, 0, NULL, 49, 90},
    {0, 0, 0, NULL, 50, 90},
    {0, 0, 0, NULL, 51, 90},
    {10, 10, 4, arrRecord53, -1, 0},
    {10, 10, 4, arrRecord54, -1, 0},
    {0, 0, 0, NULL, 54, 90},
    {0, 0, 0, NULL, 53, 90},
};

// The record that each glyph number shows.
const int arrTableRecords[CExtPaletteGlyph::nTableSize] = {
    12, 13, 16, 17, 18, 19, 20, 21, 22, 25, 23, 24, 26, 27, 28, 29, 15, 30, 31, 32, 33, 14, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 49, 50, 51, 52, 44, 45, 46, 47, 48, 53, 54, 55, 56,
};
}

CExtPaletteGlyph::CExtPaletteGlyph()
    : m_cx(0), m_cy(0), m_nColorCount(1), m_pData(NULL), m_bOwnsData(false)
{
}

CExtPaletteGlyph::CExtPaletteGlyph(int cx, int cy, int nColorCount, const int* pData)
    : m_cx(cx), m_cy(cy), m_nColorCount(nColorCount), m_pData(pData), m_bOwnsData(false)
{
}

CExtPaletteGlyph::~CExtPaletteGlyph()
{
    Empty();
}

void CExtPaletteGlyph::Empty()
{
    if (m_bOwnsData)
        delete[] m_pData;
    m_pData = NULL;
    m_bOwnsData = false;
    m_cx = m_cy = 0;
    m_nColorCount = 1;
}

bool CExtPaletteGlyph::CopyFrom(const CExtPaletteGlyph& src)
{
    if (&src == this)
        return true;
    Empty();
    if (src.m_pData != NULL && src.m_cx > 0 && src.m_cy > 0)
    {
        const size_t nCount = (size_t)src.m_cx * (size_t)src.m_cy;
        int* pData = new (std::nothrow) int[nCount];
        if (pData == NULL)
            return false;
        memcpy(pData, src.m_pData, nCount * sizeof(int));
        m_pData = pData;
        m_bOwnsData = true;
    }
    m_cx = src.m_cx;
    m_cy = src.m_cy;
    m_nColorCount = src.m_nColorCount;
    return true;
}

void CExtPaletteGlyph::Rotate(int nAngle)
{
    if ((nAngle != 90 && nAngle != 180 && nAngle != 270) || m_pData == NULL || m_cx <= 0 || m_cy <= 0)
        return;
    const size_t nCount = (size_t)m_cx * (size_t)m_cy;
    int* pTurned = new (std::nothrow) int[nCount];
    if (pTurned == NULL)
        return;
    const int cxNew = nAngle == 180 ? m_cx : m_cy;
    for (int y = 0; y < m_cy; y++)
    {
        for (int x = 0; x < m_cx; x++)
        {
            int xNew, yNew;
            if (nAngle == 90)
            {
                xNew = m_cy - 1 - y;
                yNew = x;
            }
            else if (nAngle == 180)
            {
                xNew = m_cx - 1 - x;
                yNew = m_cy - 1 - y;
            }
            else
            {
                xNew = y;
                yNew = m_cx - 1 - x;
            }
            pTurned[(size_t)yNew * cxNew + xNew] = m_pData[(size_t)y * m_cx + x];
        }
    }
    if (m_bOwnsData)
        delete[] m_pData;
    m_pData = pTurned;
    m_bOwnsData = true;
    if (nAngle != 180)
    {
        const int cxOld = m_cx;
        m_cx = m_cy;
        m_cy = cxOld;
    }
}

int CExtPaletteGlyph::GetPixel(int x, int y) const
{
    if (m_pData == NULL || x < 0 || y < 0 || x >= m_cx || y >= m_cy)
        return 0;
    return m_pData[(size_t)y * m_cx + x];
}

const CExtPaletteGlyph* CExtPaletteGlyph::GetTableGlyph(int nIndex)
{
    return g_PaletteGlyphs.GetTableGlyph(nIndex);
}

const CExtPaletteGlyph& CExtPaletteGlyph::GetRecord(int nRecord)
{
    return g_PaletteGlyphs.GetRecord(nRecord);
}

/////////////////////////////////////////////////////////////////////////////
// The records

CExtPaletteGlyphRecords::CExtPaletteGlyphRecords()
{
    for (int i = 0; i < CExtPaletteGlyph::nRecordCount; i++)
    {
        const GlyphRecordSource& source = arrRecordSources[i];
        CExtPaletteGlyph& record = m_arrRecords[i];
        if (source.pData != NULL)
        {
            // Constant pixels are shared, not copied.
            record.m_cx = source.cx;
            record.m_cy = source.cy;
            record.m_nColorCount = source.nColorCount;
            record.m_pData = source.pData;
            record.m_bOwnsData = false;
            continue;
        }
        record.CopyFrom(m_arrRecords[source.nSourceRecord]);
        record.Rotate(source.nAngle);
    }
}

CExtPaletteGlyphRecords::~CExtPaletteGlyphRecords()
{
    for (CExtPaletteGlyph& record : m_arrRecords)
        record.Empty();
}

const CExtPaletteGlyph& CExtPaletteGlyphRecords::GetRecord(int nRecord) const
{
    static const CExtPaletteGlyph empty;
    if (nRecord < 0 || nRecord >= CExtPaletteGlyph::nRecordCount)
        return empty;
    return m_arrRecords[nRecord];
}

const CExtPaletteGlyph* CExtPaletteGlyphRecords::GetTableGlyph(int nIndex) const
{
    if (nIndex < 0 || nIndex >= CExtPaletteGlyph::nTableSize)
        return NULL;
    return &m_arrRecords[arrTableRecords[nIndex]];
}
