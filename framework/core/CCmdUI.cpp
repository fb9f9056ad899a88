#include "CCmdUI.h"

CString CCmdUI::MenuText() const
{
    const int tab = m_text.Find('\t');
    return tab < 0 ? m_text : m_text.Left(tab);
}
