// CExtPaletteGlyph: a tiny picture stored as one colour index per pixel; index 0 is
// transparent and the caller gives the other colours when it paints, so one glyph
// serves every look and state.
#pragma once

#include <afxwin.h>

class CExtPaletteGlyph
{
public:
    // Empty: 0 by 0, one colour, no pixels.
    CExtPaletteGlyph();
    // Over constant pixel data that the glyph does not own.
    CExtPaletteGlyph(int cx, int cy, int nColorCount, const int* pData);
    ~CExtPaletteGlyph();

    // Frees the own pixels and empties the glyph.
    void Empty();
    // A copy with pixels of its own; false (and an empty glyph) when they cannot be
    // allocated. A source without pixels gives its sizes without data.
    bool CopyFrom(const CExtPaletteGlyph& src);
    // Turns the pixels clockwise by 90, 180 or 270 degrees; other angles do nothing.
    void Rotate(int nAngle);

    int GetWidth() const { return m_cx; }
    int GetHeight() const { return m_cy; }
    CSize GetSize() const { return CSize(m_cx, m_cy); }
    int GetColorCount() const { return m_nColorCount; }
    const int* GetData() const { return m_pData; }
    bool OwnsData() const { return m_bOwnsData; }
    // The colour index at (x, y); 0 outside or without data.
    int GetPixel(int x, int y) const;

    // The glyph table by glyph number (0..44, NULL outside): the pictures of caption
    // buttons, system commands, arrows, pins, signs and triangles.
    static const CExtPaletteGlyph* GetTableGlyph(int nIndex);
    enum { nTableSize = 45, nRecordCount = 57 };

    // Records used by pointer: expand-button arrows and chevrons, push-button drop
    // arrows and sub-menu arrows.
    enum
    {
        eRecordDropArrow = 0,
        eRecordDropArrowBar = 1,
        eRecordChevron = 2,
        eRecordChevronBar = 3,
        eRecordDropArrowVertical = 4,
        eRecordDropArrowBarVertical = 5,
        eRecordDropArrowVertical2 = 6,
        eRecordDropArrowBarVertical2 = 7,
        eRecordChevronVertical = 8,
        eRecordChevronBarVertical = 9,
        eRecordSubmenuArrow = 10,
        eRecordSubmenuArrowBar = 11,
    };
    static const CExtPaletteGlyph& GetRecord(int nRecord);

private:
    CExtPaletteGlyph(const CExtPaletteGlyph&) = delete;
    void operator=(const CExtPaletteGlyph&) = delete;
    friend class CExtPaletteGlyphRecords;

    int m_cx;
    int m_cy;
    int m_nColorCount;
    const int* m_pData;
    bool m_bOwnsData;
};

// The 57 glyph records of the process: the constant ones and those copied and turned
// from them, in record order.
class CExtPaletteGlyphRecords
{
public:
    CExtPaletteGlyphRecords();
    // Each record frees what it owns and is left empty.
    ~CExtPaletteGlyphRecords();

    const CExtPaletteGlyph& GetRecord(int nRecord) const;
    const CExtPaletteGlyph* GetTableGlyph(int nIndex) const;

private:
    CExtPaletteGlyph m_arrRecords[CExtPaletteGlyph::nRecordCount];
};

extern CExtPaletteGlyphRecords g_PaletteGlyphs;
