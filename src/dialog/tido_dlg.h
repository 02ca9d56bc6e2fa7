#pragma once
#include "discovery/corla_instance.h"
#include "framework/dialog.h"
#include "framework/runtime.h"
#include "platform/unique_handle.h"

#include <map>
#include <string>

class CTidoApp;
class RegistryKey;
struct CleanupBlock;
struct CleanupTarget;
struct ProgramPathGuard;

// The program's only window and the holder of the whole run state. Every detection and
// cleanup step is an operation of this class; each subsystem folder defines its own.
class CTidoDlg : public Dialog {
public:
    CTidoDlg(UINT templateId, CTidoApp* app);
    ~CTidoDlg() override;

    // Run state of the selected installation and of the removal.
    HICON m_hIcon = nullptr;
    CTidoApp* m_pApp = nullptr;
    ComboBox m_comboInstances;
    Edit m_editDetails;
    std::wstring m_strDisplayVersion;
    std::wstring m_strUninstallString;
    std::wstring m_strSecondUninstallString;
    DWORD m_nVersionMajor = 0;
    std::wstring m_strDisplayName;
    std::wstring m_strTargetCode;
    ProgressBar m_progress;
    ToolTip m_toolTip;
    Event m_eventDone;
    UniqueHandle m_pWorkerThread;
    UINT_PTR m_nTimerId = 0;
    std::wstring m_strProgramDir;
    std::wstring m_strDataDir;
    std::wstring m_strSharedDataDir;
    std::wstring m_strCommonDataDir;
    std::wstring m_strIniPath;
    std::wstring m_strWorkspaceDir;
    BOOL m_bFilesLeft = 0;
    BOOL m_bMultiUser = 0;
    BOOL m_bProductKeyFound = 0;
    BOOL m_bMuiPackFound = 0;
    BOOL m_bLarkspan = 0;
    BOOL m_bCoexist = 0;
    std::wstring m_strRunningProcess;
    CInstanceMap m_mapInstances;
    std::map<int, std::wstring> m_mapComboCodes;
    // Set when a -qb run was started by the timer, so that a refusal is told from a cancel.
    bool m_bRemovalAttempted = false;

    // Log (log/).
    void WriteLog(const std::wstring& tag, const std::wstring& text, const std::wstring& suffix);

    // User mode and locations (discovery/).
    void GetUserMode();
    void GenerateDataDirectory();
    void ShowProductKeyDetails();

    // Installer data removal tool and installer registrations (installer/).
    struct MsiZapCopy {
        std::wstring directory;  // the tool's own protected directory under TEMP
        std::wstring path;
        UniqueFileHandle lock;   // keeps the tool unchanged until the runs are over
    };
    bool GetTempVariable(std::wstring& temp);
    bool ExtractMSIZap(MsiZapCopy& copy);
    void RunMSIZap();
    void CleanRegistryNoARP();

    // Forced deletion and file removal (files/). DeleteDirectory leaves the Win32 last error
    // at the error of the directory's removal.
    bool DeleteDirectory(std::wstring path, bool keep);
    bool ForceDeleteFile(const std::wstring& tag, const std::wstring& path);
    void RemoveProgramFile();
    void RemoveDataFile();
    void RemoveShareData();

    // Shortcuts (shortcuts/).
    void RemoveShortcut();
    void DeleteShortcut(std::wstring folder, std::wstring pattern);

    // Removal run and uninstall sequence (app/).
    int RemovalRun();
    static unsigned __stdcall UninstallThreadProc(void* parameter);
    void DoUninstall();
    void SetStatusText(std::wstring text);

    // Running-process check (discovery/).
    BOOL IsProductProcessRunning();

    // Controls and details of the selected installation (dialog/).
    void EnableControls(BOOL remove, BOOL quit, BOOL rescan, BOOL programFiles, BOOL dataFiles);
    void ShowInstanceDetails(const std::wstring& key);
    void AppendDetailLine(UINT labelId, const std::wstring& value);

    // Installation scan (discovery/).
    void ScanInstallations();
    void SelectProductInstance();

    // Registry primitives with logging (registry/)
    bool DeleteRegistryRecurse(HKEY hive, const std::wstring& path, const std::wstring& subKey,
                               REGSAM view);
    bool DeleteCorlaKey(HKEY hive, const std::wstring& path, const std::wstring& valueName,
                        int mode, REGSAM view);
    bool CheckProgramPath(HKEY hive, const std::wstring& path, const std::wstring& subPath,
                          const std::wstring& valueName, REGSAM view);
    // Services and system settings (system/).
    DWORD StopService(const std::wstring& serviceName);
    void TrimProviderOrder();
    BOOL CleanSharedDlls();

    // Automatic-update component (registry/).
    void CleanAutoupdate();

    // Client platform, language pack and final keys (registry/)
    bool CleanCDM();
    bool CleanRegistryFinally();
    bool CleanRegistryMUIPack();

    // Product registration cleanup (registry/)
    bool CleanRegistrySpecial();

    // True when the dialog runs without a full window (-qn or -qb): no step may touch the
    // controls of the full dialog then.
    bool IsSilent() const;
    // The full dialog's control may be used: the run is not silent and the control is bound.
    bool ShowsControl(const Control& control) const { return !IsSilent() && control.Bound(); }

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
    void OnTimer(UINT_PTR id) override;
    bool OnSysCommand(WPARAM command, LPARAM lParam) override;
    bool OnPaint() override;
    HICON OnQueryDragIcon() override;
    bool PreTranslateMessage(MSG& message) override;
    void OnDestroyed() override;

private:
    // Handlers of the full dialog (dialog/).
    void RegisterHandlers();
    void PreselectChosenProduct();
    void SetCheckBoxesFromSwitches();
    void AddAboutToSystemMenu();
    void OnRemove();
    std::wstring SelectedInstanceKey() const;
    void TakeRemovalChoices();
    bool ConfirmRemoval(const std::wstring& key);
    void StartRemoval();
    void OnQuit();
    void OnRescan();
    void OnWipeMode();
    void OnSelectInstance();
    // A removal runs on the worker: the window must not end or change the run state.
    bool m_bRemoving = false;

    // Steps of RemovalRun and DoUninstall (app/).
    bool SelectChosenProduct();
    void ReportRunningProcess(UINT boxType, bool showBox);
    std::wstring ResultText() const;
    void ShowFailureBox();
    void ShowRemovalView();
    void SetProgress(int position);
    void StepProgress();
    void StopProductServices();
    void RemoveProductFiles();

private:
    // Adds one line to the details box, after a line break when the box is not empty.
    void AppendDetailText(const std::wstring& text);
    // Steps of GenerateDataDirectory.
    void ResolveSingleUserLocations(RegistryKey& productKey);
    bool TryIniFile(const std::wstring& candidate, const wchar_t* dataDirectoryText);
    void ResolveMultiUserLocations(RegistryKey& productKey);
    void ResolveWorkspace();
    void RefuseProtectedLocations();
    // Steps of RunMSIZap.
    bool RunMsiZapOnce(const std::wstring& toolPath, const std::wstring& uninstallString,
                       DWORD creationFlags);
    std::wstring SecondRegistrationUninstallString() const;
    void RemoveMsiZapDirectory(MsiZapCopy& copy);
    bool RemoveAutoUpdateComponent(const wchar_t* keyPath, const wchar_t* parent);
    // Walks of CleanRegistryNoARP.
    void CleanUninstallEntries();
    void CleanInstallerProducts();
    void CleanFirstUpgradeCode(const std::wstring& product);
    void CleanInstallerUserData();
    // Product registration cleanup (registry/): the table runner and the installer walks.
    bool BlockRuns(const CleanupBlock& block) const;
    bool GuardHolds(const ProgramPathGuard& guard);
    void RunCleanupTarget(const CleanupTarget& target);
    void DeletePluginValue(const CleanupTarget& target);
    void CleanInstallerFeatures();
    void CleanInstallerComponents();
    void CleanInstallerFolders();
    bool IsProductFolder(const std::wstring& folder) const;

    // Steps of the file removal.
    void DeleteProgramDirectoryFiles(const std::wstring& path);
    void LogUnknownLocation(const wchar_t* tag, const wchar_t* wipeWarning);
    void RemoveWorkspaceAndDataDirectory();
    void RemoveSingleUserSharedData();
    void DeleteIniFile();
};
