#include "CExternalTool.h"

CExternalTool::CExternalTool() : m_nMenuIndex(-1), m_nPromptForArgs(0)
{
}
