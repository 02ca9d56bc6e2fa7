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

// The product's Internet Explorer low-rights elevation policies (also removed with the
// product's registrations).
inline constexpr wchar_t ElevationPolicyA[] = L"{71D0E1A0-94C1-4A7E-9D00-0000000000A1}";
inline constexpr wchar_t ElevationPolicyB[] = L"{71D0E1B0-94C1-4A7E-9D00-0000000000B1}";
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
