#include "CScintillaLineSource.h"

int CScintillaLineSource::GetLineCount()
{
    return m_ctrl.GetLineCount();
}

const char* CScintillaLineSource::GetLine(int nLine, int& nLength)
{
    nLength = 0;
    if (nLine < 0 || nLine >= GetLineCount())
        return "";
    const int nLineLength = m_ctrl.LineLength(nLine);
    if ((int)m_buffer.size() < nLineLength + 1)
        m_buffer.resize((size_t)nLineLength + 1);
    nLength = m_ctrl.GetLine(nLine, m_buffer.data());
    return m_buffer.data();
}
