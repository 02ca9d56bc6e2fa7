#pragma once
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
