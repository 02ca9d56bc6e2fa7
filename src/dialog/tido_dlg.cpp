#include "dialog/tido_dlg.h"

#include "app/tido_app.h"
#include "res/resource.h"

CTidoDlg::CTidoDlg(UINT templateId, CTidoApp* app)
    : Dialog(templateId, app->GetSystem()),
      m_hIcon(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME))),
      m_pApp(app)
{
    RegisterHandlers();
}

CTidoDlg::~CTidoDlg() = default;

bool CTidoDlg::IsSilent() const
{
    return m_pApp->m_bQuiet || m_pApp->m_bProgressBar;
}

void CTidoDlg::DoDataExchange()
{
    m_comboInstances.Attach(GetItem(IDC_COMBO_INSTANCES));
    m_editDetails.Attach(GetItem(IDC_EDIT_DETAILS));
    m_progress.Attach(GetItem(IDC_PROGRESS));
}

void CTidoDlg::OnDestroyed()
{
    m_comboInstances.Detach();
    m_editDetails.Detach();
    m_progress.Detach();
    m_toolTip.Detach();
}
