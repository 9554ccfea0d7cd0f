#include "dsp/CQuorzel.h"

#include <new>

CQuorzel::CQuorzel()
{
    buildControls();
    m_name = "Quorzel";
    m_usesEditorDescription = true;
    m_outputOnly = false;
    m_wantsAllMidi = false;
}

CPlugIn* createPlugInObject()
{
    return new (std::nothrow) CQuorzel;
}
