#pragma once
#include <windows.h>

#include <iterator>

// The product's configuration: the names and locations that identify Corla and Larkspan on a
// machine. They must match the product build being removed; everything Tido deletes is found
// through these values.

// The products' own keys under HKEY_LOCAL_MACHINE (32-bit registry view).
inline constexpr wchar_t kCorlaProductKey[] = L"SOFTWARE\\Gorvo\\Corla";
inline constexpr wchar_t kTlkaProductKey[] = L"SOFTWARE\\Tav\\TLKA";
inline constexpr wchar_t kOlkaProductKey[] = L"SOFTWARE\\Omb\\OLKA";

// Brand generations by major version: the per-user installer key (HKEY_CURRENT_USER) and
// the shared data below the common data root.
struct BrandGeneration {
    unsigned firstMajorVersion;
    const wchar_t* installerKey;
    const wchar_t* sharedDataSubPath;
};
inline constexpr BrandGeneration kBrandGenerations[] = {
    {11, L"SOFTWARE\\Tav\\Corla\\Installer", L"Tav\\Corla\\Data"},
    {9, L"SOFTWARE\\Omb\\Corla\\Installer", L"Omb\\Corla\\Data"},
    {0, L"SOFTWARE\\Gorvo\\Corla\\Installer", L"Gorvo\\Corla\\Data"},
};
inline constexpr wchar_t kTlkaSharedDataSubPath[] = L"Tav\\TLKA\\Data";
inline constexpr wchar_t kOlkaSharedDataSubPath[] = L"Omb\\OLKA\\Data";

// The product's ini file and the client platform's launcher properties.
inline constexpr wchar_t kIniFileName[] = L"corla.ini";
inline constexpr wchar_t kLauncherProperties[] = L"framework\\rcp\\rcplauncher.properties";

// Display-name prefixes by product, tested in this order (case-sensitive, at the start).
inline constexpr const wchar_t* kCorlaNamePrefixes[] = {L"Gorvo Corla", L"Omb Corla",
                                                        L"Tav Corla"};
inline constexpr const wchar_t* kLarkspanNamePrefixes[] = {L"Omb Larkspan", L"Tav Larkspan"};
// ---- Services and system settings -------------------------------------------------------

// The product's services, stopped and deleted in this order for a Corla installation and
// for a Larkspan installation.
inline constexpr const wchar_t* kCorlaServices[] = {
    L"Tav Corla Diagnostics",
    L"Omb Corla Diagnostics",
    L"Gorvo Corla Diagnostics",
    L"Multi-user Cleanup Service",
    L"Tav Corla Single Logon",
    L"Omb Corla Single Logon",
    L"Gorvo Corla Single Logon",
    L"GCSUSvc",
};
inline constexpr const wchar_t* kLarkspanServices[] = {
    L"Tav Corla Diagnostics",
    L"Omb Corla Diagnostics",
    L"Multi-user Cleanup Service",
};

// The product's network provider in the provider order, under its two names: the first
// one found is removed.
inline constexpr const wchar_t* kNetworkProviders[] = {
    L"npcorla64",
    L"npcorla",
};

// Files of the program directory whose shared-DLL entries the product's installer makes.
struct SharedDllFile {
    const wchar_t* fileName;
    bool corlaOnly;  // not installed with Larkspan
};
inline constexpr SharedDllFile kSharedDllFiles[] = {
    {L"ngsxbe.dll", false},
    {L"msvcr71.dll", true},
};

// ---------------------------------------------------------------------------------------------
// Identifiers of the product build: the registry cleanup deletes keys named by these.
// The values below are placeholders of our own, not the product's: replace them with the
// identifiers of the product build being removed (see the README). Each is a braced GUID;
// final_tables.h refuses at compile time any value of another shape, so that an empty or
// mistyped identifier can never make a cleanup entry address its parent key instead.

// The elevation policies ElevationPolicyA and ElevationPolicyB are declared with the product
// registration identifiers below.
// The product's component registration under the client platform's keys.
inline constexpr wchar_t PlatformComponentId[] = L"{71D0CA1D-94C1-4A7E-9D00-0000000000C1}";

// ---- Automatic update -------------------------------------------------------------------

// The automatic-update component: its services, and its key per maker (32-bit view) with
// the parent the key is deleted from.
inline constexpr const wchar_t* kAutoUpdateServices[] = {L"TavAUTService", L"OmbAUTService"};
struct AutoUpdateComponent {
    const wchar_t* key;
    const wchar_t* parent;
};
inline constexpr AutoUpdateComponent kAutoUpdateComponents[] = {
    {L"SOFTWARE\\Tav\\AutoUpdate", L"Software\\Tav"},
    {L"SOFTWARE\\Omb\\AutoUpdate", L"Software\\Omb"},
};
inline constexpr wchar_t kAutoUpdateProgram[] = L"\\AutoUpdate.exe";
inline constexpr DWORD kAutoUpdatePauseMs = 5000;


// ---- Product registration identifiers ---------------------------------------------------

// The product's COM classes, interfaces, type libraries, application and policy identifiers
// and its browser extensions, as the registry cleanup removes them. These values are
// placeholders of our own (every GUID begins "{C0A1A"): they must be replaced by the
// identifiers of the product build being removed. Names, counts and list order are fixed.

// Browser plug-in: its helper object, further classes, interfaces and type library.
inline constexpr wchar_t PluginHelperClass[] = L"{C0A1A101-71D0-4C0A-A11D-000000001001}";
inline constexpr wchar_t PluginClassB[] = L"{C0A1A102-71D0-4C0A-A11D-000000001002}";
inline constexpr wchar_t PluginClassC[] = L"{C0A1A103-71D0-4C0A-A11D-000000001003}";
inline constexpr wchar_t PluginClassD[] = L"{C0A1A104-71D0-4C0A-A11D-000000001004}";
inline constexpr wchar_t PluginInterfaceA[] = L"{C0A1A201-71D0-4C0A-A11D-000000002001}";
inline constexpr wchar_t PluginInterfaceB[] = L"{C0A1A202-71D0-4C0A-A11D-000000002002}";
inline constexpr wchar_t PluginInterfaceC[] = L"{C0A1A203-71D0-4C0A-A11D-000000002003}";
inline constexpr wchar_t PluginInterfaceD[] = L"{C0A1A204-71D0-4C0A-A11D-000000002004}";
inline constexpr wchar_t PluginTypeLibrary[] = L"{C0A1A301-71D0-4C0A-A11D-000000003001}";
// The plug-in's application identifier; the same value also names a type library.
inline constexpr wchar_t PluginAppId[] = L"{C0A1A302-71D0-4C0A-A11D-000000003002}";
// The product's two Firefox extensions, in e-mail form.
inline constexpr wchar_t FirefoxExtensionA[] = L"corla-companion@gorvo.example";
inline constexpr wchar_t FirefoxExtensionB[] = L"corla-calendar-link@gorvo.example";
// The management console snap-in, and the class whose in-process server key goes with it.
inline constexpr wchar_t SnapInClass[] = L"{C0A1A501-71D0-4C0A-A11D-000000005001}";
inline constexpr wchar_t InprocClassB[] = L"{C0A1A502-71D0-4C0A-A11D-000000005002}";
// Internet Explorer low-rights elevation policies.
inline constexpr wchar_t ElevationPolicyA[] = L"{C0A1A401-71D0-4C0A-A11D-000000004001}";
inline constexpr wchar_t ElevationPolicyB[] = L"{C0A1A402-71D0-4C0A-A11D-000000004002}";
// Automation classes, interfaces and type libraries.
inline constexpr wchar_t ClassPairA[] = L"{C0A1A503-71D0-4C0A-A11D-000000005003}";
inline constexpr wchar_t ClassPairB[] = L"{C0A1A504-71D0-4C0A-A11D-000000005004}";
inline constexpr const wchar_t* InterfaceSetA[] = {
    L"{C0A1A601-71D0-4C0A-A11D-000000006001}",
    L"{C0A1A602-71D0-4C0A-A11D-000000006002}",
    L"{C0A1A603-71D0-4C0A-A11D-000000006003}",
    L"{C0A1A604-71D0-4C0A-A11D-000000006004}",
    L"{C0A1A605-71D0-4C0A-A11D-000000006005}",
    L"{C0A1A606-71D0-4C0A-A11D-000000006006}",
    L"{C0A1A607-71D0-4C0A-A11D-000000006007}",
    L"{C0A1A608-71D0-4C0A-A11D-000000006008}",
    L"{C0A1A609-71D0-4C0A-A11D-000000006009}",
    L"{C0A1A60A-71D0-4C0A-A11D-00000000600A}",
    L"{C0A1A60B-71D0-4C0A-A11D-00000000600B}",
    L"{C0A1A60C-71D0-4C0A-A11D-00000000600C}",
    L"{C0A1A60D-71D0-4C0A-A11D-00000000600D}",
    L"{C0A1A60E-71D0-4C0A-A11D-00000000600E}",
    L"{C0A1A60F-71D0-4C0A-A11D-00000000600F}",
    L"{C0A1A610-71D0-4C0A-A11D-000000006010}",
    L"{C0A1A611-71D0-4C0A-A11D-000000006011}",
    L"{C0A1A612-71D0-4C0A-A11D-000000006012}",
    L"{C0A1A613-71D0-4C0A-A11D-000000006013}",
    L"{C0A1A614-71D0-4C0A-A11D-000000006014}",
    L"{C0A1A615-71D0-4C0A-A11D-000000006015}",
    L"{C0A1A616-71D0-4C0A-A11D-000000006016}",
    L"{C0A1A617-71D0-4C0A-A11D-000000006017}",
    L"{C0A1A618-71D0-4C0A-A11D-000000006018}",
    L"{C0A1A619-71D0-4C0A-A11D-000000006019}",
    L"{C0A1A61A-71D0-4C0A-A11D-00000000601A}",
    L"{C0A1A61B-71D0-4C0A-A11D-00000000601B}",
    L"{C0A1A61C-71D0-4C0A-A11D-00000000601C}",
    L"{C0A1A61D-71D0-4C0A-A11D-00000000601D}",
    L"{C0A1A61E-71D0-4C0A-A11D-00000000601E}",
    L"{C0A1A61F-71D0-4C0A-A11D-00000000601F}",
    L"{C0A1A620-71D0-4C0A-A11D-000000006020}",
    L"{C0A1A621-71D0-4C0A-A11D-000000006021}",
    L"{C0A1A622-71D0-4C0A-A11D-000000006022}",
    L"{C0A1A623-71D0-4C0A-A11D-000000006023}",
    L"{C0A1A624-71D0-4C0A-A11D-000000006024}",
    L"{C0A1A625-71D0-4C0A-A11D-000000006025}",
    L"{C0A1A626-71D0-4C0A-A11D-000000006026}",
    L"{C0A1A627-71D0-4C0A-A11D-000000006027}",
    L"{C0A1A628-71D0-4C0A-A11D-000000006028}",
    L"{C0A1A629-71D0-4C0A-A11D-000000006029}",
    L"{C0A1A62A-71D0-4C0A-A11D-00000000602A}",
    L"{C0A1A62B-71D0-4C0A-A11D-00000000602B}",
    L"{C0A1A62C-71D0-4C0A-A11D-00000000602C}",
    L"{C0A1A62D-71D0-4C0A-A11D-00000000602D}",
};
inline constexpr wchar_t TypeLibraryA[] = L"{C0A1A303-71D0-4C0A-A11D-000000003003}";
inline constexpr wchar_t TypeLibraryB[] = L"{C0A1A304-71D0-4C0A-A11D-000000003004}";
inline constexpr wchar_t TypeLibraryC[] = L"{C0A1A305-71D0-4C0A-A11D-000000003005}";
inline constexpr wchar_t TypeLibraryD[] = L"{C0A1A306-71D0-4C0A-A11D-000000003006}";
inline constexpr const wchar_t* ClassSetA[] = {
    L"{C0A1A701-71D0-4C0A-A11D-000000007001}",
    L"{C0A1A702-71D0-4C0A-A11D-000000007002}",
    L"{C0A1A703-71D0-4C0A-A11D-000000007003}",
    L"{C0A1A704-71D0-4C0A-A11D-000000007004}",
    L"{C0A1A705-71D0-4C0A-A11D-000000007005}",
};
// SnapInClass is its 4th and InprocClassB its 5th member.
inline constexpr const wchar_t* ClassSetB[] = {
    L"{C0A1A801-71D0-4C0A-A11D-000000008001}",
    L"{C0A1A802-71D0-4C0A-A11D-000000008002}",
    L"{C0A1A803-71D0-4C0A-A11D-000000008003}",
    SnapInClass,
    InprocClassB,
    L"{C0A1A806-71D0-4C0A-A11D-000000008006}",
    L"{C0A1A807-71D0-4C0A-A11D-000000008007}",
    L"{C0A1A808-71D0-4C0A-A11D-000000008008}",
    L"{C0A1A809-71D0-4C0A-A11D-000000008009}",
    L"{C0A1A80A-71D0-4C0A-A11D-00000000800A}",
    L"{C0A1A80B-71D0-4C0A-A11D-00000000800B}",
    L"{C0A1A80C-71D0-4C0A-A11D-00000000800C}",
    L"{C0A1A80D-71D0-4C0A-A11D-00000000800D}",
    L"{C0A1A80E-71D0-4C0A-A11D-00000000800E}",
    L"{C0A1A80F-71D0-4C0A-A11D-00000000800F}",
    L"{C0A1A810-71D0-4C0A-A11D-000000008010}",
    L"{C0A1A811-71D0-4C0A-A11D-000000008011}",
};
inline constexpr const wchar_t* ClassSetC[] = {
    L"{C0A1A901-71D0-4C0A-A11D-000000009001}",
    L"{C0A1A902-71D0-4C0A-A11D-000000009002}",
    L"{C0A1A903-71D0-4C0A-A11D-000000009003}",
    L"{C0A1A904-71D0-4C0A-A11D-000000009004}",
    L"{C0A1A905-71D0-4C0A-A11D-000000009005}",
    L"{C0A1A906-71D0-4C0A-A11D-000000009006}",
    L"{C0A1A907-71D0-4C0A-A11D-000000009007}",
};

static_assert(std::size(InterfaceSetA) == 45);
static_assert(std::size(ClassSetA) == 5);
static_assert(std::size(ClassSetB) == 17);
static_assert(std::size(ClassSetC) == 7);
static_assert(ClassSetB[3] == SnapInClass && ClassSetB[4] == InprocClassB);
// ---- End of product registration identifiers -------------------------------------------
// Sub-directories of the program directory that a program-file removal deletes, in this order.
// The program directory itself and any folder not named here stay. The names must match the
// product build being removed.
inline constexpr const wchar_t* kProgramSubDirectories[] = {
    L"framework",    // the client platform
    L"jvm",          // the bundled Java virtual machine
    L"browser",      // browser integration
    L"nls",          // language resources
    L"xsd",          // XML schemas
    L"backup",
    L"bin",
    L"lib",
    L"help",
    L"plugins",
    L"templates",
    L"dictionaries",
    L"fonts",
    L"icons",
    L"license",
    L"samples",
    L"j",
    L"w",
};

// Shortcuts that a shortcut removal leaves in place wherever it deletes whole folders.
inline constexpr const wchar_t* kKeptShortcuts[] = {
    L"InstallShield Tuner for Gorvo Corla.lnk",
};

// Maker folders below the common data root that a shared-data removal deletes when empty,
// inner folders first.
inline constexpr const wchar_t* kCorlaSharedDataParents[] = {
    L"Gorvo\\Corla", L"Gorvo", L"Omb\\Corla", L"Tav\\Corla",
};
inline constexpr const wchar_t* kLarkspanSharedDataParents[] = {
    L"Omb\\OLKA", L"Tav\\TLKA",
};

// Shortcut file-name patterns ("*" and "?" wildcards, any letter case), each list in the order
// it is applied.
inline constexpr const wchar_t* kCorlaDesktopShortcuts[] = {
    L"Gorvo Corla*.lnk", L"Gorvo Orbalux*.lnk", L"Gorvo Documents.lnk",
    L"Gorvo Presentations.lnk", L"Gorvo Spreadsheets.lnk", L"Zandor *.lnk",
    L"Omb Corla*.lnk", L"Omb Corla*.url", L"Omb Zandor *.lnk",
    L"Tav Corla*.lnk", L"Tav Corla*.url", L"Tav Zandor *.lnk",
};
// The desktop list without "Zandor *.lnk".
inline constexpr const wchar_t* kCorlaStartMenuShortcuts[] = {
    L"Gorvo Corla*.lnk", L"Gorvo Orbalux*.lnk", L"Gorvo Documents.lnk",
    L"Gorvo Presentations.lnk", L"Gorvo Spreadsheets.lnk",
    L"Omb Corla*.lnk", L"Omb Corla*.url", L"Omb Zandor *.lnk",
    L"Tav Corla*.lnk", L"Tav Corla*.url", L"Tav Zandor *.lnk",
};
inline constexpr const wchar_t* kCorlaApplicationFolderShortcuts[] = {
    L"Gorvo *.lnk", L"Omb Corla*.lnk", L"Omb Corla*.url", L"Omb Zandor *.lnk",
    L"Tav Corla*.lnk", L"Tav Corla*.url", L"Tav Zandor *.lnk",
};
inline constexpr const wchar_t* kCorlaPinnedShortcuts[] = {
    L"Gorvo Corla*.lnk", L"Gorvo Orbalux*.lnk",
};
// Larkspan's shortcuts, everywhere Corla's lists would be used; Larkspan pins nothing.
inline constexpr const wchar_t* kLarkspanShortcuts[] = {
    L"Omb Larkspan.lnk", L"Tav Larkspan.lnk",
};

// The Start-menu folders of the product's applications, one per brand.
inline constexpr const wchar_t* kApplicationFolders[] = {
    L"Gorvo Applications", L"Omb Applications", L"Tav Applications",
};
// Inside an application folder: a folder deleted whole.
inline constexpr wchar_t kApplicationSupportFolder[] = L"\\Support";
