#include "app/tido_app.h"
#include "platform/strings.h"

namespace {

enum class SwitchEffect { Help, Wipe, Quiet, RemoveProgramFiles, RemoveDataFiles,
                          RemoveSharedData, ProductCorla, ProductLarkspan };

struct SwitchEntry {
    const wchar_t* token;
    SwitchEffect effect;
};

// Whole-token switches, compared after lower-casing; the q family is parsed on its own.
const SwitchEntry switchTable[] = {
    {L"?", SwitchEffect::Help},
    {L"h", SwitchEffect::Help},
    {L"wipe", SwitchEffect::Wipe},
    {L"rp", SwitchEffect::RemoveProgramFiles},
    {L"rd", SwitchEffect::RemoveDataFiles},
    {L"rs", SwitchEffect::RemoveSharedData},
    {L"rn", SwitchEffect::ProductCorla},
    {L"ri", SwitchEffect::ProductLarkspan},
};

}  // namespace

void CTidoCmdLineInfo::SetInvalid()
{
    m_bShowHelp = 1;
    m_bInvalid = 1;
}

void CTidoCmdLineInfo::ParseParam(const wchar_t* param, bool isFlag, bool /*isLast*/)
{
    if (!isFlag) {
        SetInvalid();
        return;
    }
    std::wstring token = ToLower(param);
    if (!token.empty() && token[0] == L'q') {
        ParseQuietSwitch(token);
        return;
    }
    for (const SwitchEntry& entry : switchTable) {
        if (token != entry.token)
            continue;
        switch (entry.effect) {
        case SwitchEffect::Help: m_bShowHelp = 1; break;
        case SwitchEffect::Wipe: m_app.m_bWipe = 1; break;
        case SwitchEffect::Quiet: m_app.m_bQuiet = 1; break;
        case SwitchEffect::RemoveProgramFiles: m_app.m_bRemoveProgramFiles = 1; break;
        case SwitchEffect::RemoveDataFiles: m_app.m_bRemoveDataFiles = 1; break;
        case SwitchEffect::RemoveSharedData: m_app.m_bRemoveSharedData = 1; break;
        case SwitchEffect::ProductCorla: m_app.m_nProduct = 1; break;
        case SwitchEffect::ProductLarkspan: m_app.m_nProduct = 2; break;
        }
        return;
    }
    SetInvalid();
}

// "qn", "qn+", "qb" and "qb+"; the mode letter is taken even when the rest is malformed.
void CTidoCmdLineInfo::ParseQuietSwitch(const std::wstring& token)
{
    if (token.size() == 1) {
        SetInvalid();
        return;
    }
    if (token[1] == L'b')
        m_app.m_bProgressBar = 1;
    else if (token[1] == L'n')
        m_app.m_bQuiet = 1;
    else
        SetInvalid();
    if (token.size() == 3 && token[2] == L'+')
        m_app.m_bStatusBox = 1;
    else if (token.size() > 2)
        SetInvalid();
}
