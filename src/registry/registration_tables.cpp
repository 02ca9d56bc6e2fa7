// The browser plug-in table and the cleanup blocks of CleanRegistrySpecial, row by row in the
// order they run. Identifiers come from the product configuration.
#include "registry/registration_tables.h"

#include "product/product.h"

namespace {

using enum Hive;
using enum CleanupOperation;
using enum BlockCondition;

constexpr wchar_t kFirefoxExtensions[] = L"SOFTWARE\\Mozilla\\Firefox\\Extensions";
constexpr wchar_t kProtocolDefaults[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\ZoneMap\\ProtocolDefaults";
constexpr wchar_t kTrustedZone[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Zones\\2";
constexpr wchar_t kExtensionPolicies[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Ext\\CLSID";
constexpr wchar_t kRun[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kHelperObjects[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";
constexpr wchar_t kHelperObjectsLower[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\Browser Helper Objects";
constexpr wchar_t kExtSettings[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Ext\\Settings";
constexpr wchar_t kExtStats[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Ext\\Stats";

constexpr CleanupEntry kBrowserPluginTable[] = {
    {HKLM, kFirefoxExtensions, FirefoxExtensionA, k32, PluginValue},                        // 1
    {HKLM, kFirefoxExtensions, FirefoxExtensionB, k32, PluginValue},                        // 2
    {HKCU, kProtocolDefaults, L"corla", k64, PluginValue},                                  // 3
    {HKLM, kProtocolDefaults, L"corla", k64, PluginValue},                                  // 4
    {HKLM, kTrustedZone, L"1809", k64, PluginValue},                                        // 5
    {HKLM, kExtensionPolicies, PluginHelperClass, k64, PluginValue},                        // 6
    {HKLM, kRun, L"!Omb Corla Browser Plugin IE Registration", k64, PluginValue},           // 7
    {HKLM, kRun, L"Omb CBP Disable IE Popup Blocker", k64, PluginValue},                    // 8
    {HKLM, kRun, L"Omb CBP Disable IE Protected Mode", k64, PluginValue},                   // 9
    {HKLM, kRun, L"!Tav Corla Browser Plugin IE Registration", k64, PluginValue},           // 10
    {HKLM, kRun, L"Tav CBP Disable IE Popup Blocker", k64, PluginValue},                    // 11
    {HKLM, kRun, L"Tav CBP Disable IE Protected Mode", k64, PluginValue},                   // 12
    {HKCR, L"Interface", PluginInterfaceA, k64, KeyTree},                                   // 13
    {HKCR, L"Interface", PluginInterfaceB, k64, KeyTree},                                   // 14
    {HKCR, L"CLSID", PluginClassB, k64, KeyTree},                                           // 15
    {HKCR, L"CLSID", PluginHelperClass, k64, KeyTree},                                      // 16
    {HKCR, L"PROTOCOLS\\Handler", L"corla", k64, KeyTree},                                  // 17
    {HKCR, L"TypeLib", PluginTypeLibrary, k64, KeyTree},                                    // 18
    {HKCU, kTrustedZone, L"1809", k64, PluginValue},                                        // 19
    {HKCU, kTrustedZone, L"2500", k64, PluginValue},                                        // 20
    {HKLM, kHelperObjects, PluginHelperClass, k64, KeyTree},                                // 21
    {HKCR, L"Interface", PluginInterfaceC, k64, KeyTree},                                   // 22
    {HKCR, L"Interface", PluginInterfaceD, k64, KeyTree},                                   // 23
    {HKCR, L"AppID", PluginAppId, k64, KeyTree},                                            // 24
    {HKCR, L"CLSID", PluginClassC, k64, KeyTree},                                           // 25
    {HKCR, L"CLSID", PluginClassD, k64, KeyTree},                                           // 26
    {HKCR, L"TypeLib", PluginAppId, k64, KeyTree},                                          // 27
    {HKCU, kExtSettings, PluginHelperClass, k64, KeyTree},                                  // 28
    {HKCU, kExtStats, PluginHelperClass, k64, KeyTree},                                     // 29
    {HKLM, L"SOFTWARE\\Classes\\CLSID", PluginHelperClass, k32, KeyTree},                   // 30
    {HKLM, kHelperObjectsLower, PluginHelperClass, k32, KeyTree},                           // 31
    {HKLM, L"SOFTWARE\\Classes\\CLSID", PluginClassD, k32, KeyTree},                        // 32
    {HKLM, L"SOFTWARE\\Classes", L"corlabho.CorlaBrowserHelperObject", k64, KeyTree},       // 33
    {HKLM, L"SOFTWARE\\Classes", L"corlabho.CorlaBrowserHelperObject.1", k64, KeyTree},     // 34
    {HKLM, L"SOFTWARE\\Classes", L"corlabho.CorlaProtocol", k64, KeyTree},                  // 35
    {HKLM, L"SOFTWARE\\Classes", L"corlabho.CorlaProtocol.1", k64, KeyTree},                // 36
    {HKLM, L"SOFTWARE\\Classes", L"plghost.NPAPIHostControl", k64, KeyTree},                // 37
    {HKLM, L"SOFTWARE\\Classes", L"plghost.NPAPIHostControl.1", k64, KeyTree},              // 38
    {HKLM, L"SOFTWARE\\Classes", L"plghost.NPCOMObject", k64, KeyTree},                     // 39
    {HKLM, L"SOFTWARE\\Classes", L"plghost.NPCOMObject.1", k64, KeyTree},                   // 40
    {HKCU, kExtStats, PluginClassC, k64, KeyTree},                                          // 41
    {HKLM, L"SOFTWARE\\Classes\\CLSID", PluginClassC, k32, KeyTree},                        // 42
    {HKLM, L"SOFTWARE\\Classes\\CLSID", PluginClassB, k32, KeyTree},                        // 43
    {HKLM, L"SOFTWARE\\Classes\\Interface", PluginInterfaceA, k32, KeyTree},                // 44
    {HKLM, L"SOFTWARE\\Classes\\Interface", PluginInterfaceB, k32, KeyTree},                // 45
    {HKLM, L"SOFTWARE\\Classes\\Interface", PluginInterfaceD, k32, KeyTree},                // 46
    {HKCR, L"AppID", L"plghost.DLL", k32, KeyTree},                                         // 47
    {HKCR, L"AppID", L"plghost.DLL", k64, KeyTree},                                         // 48
    {HKLM, kRun, L"Omb CBP Disable IE Popup Blocker", k32, PluginValue},                    // 49
    {HKLM, kRun, L"!Omb Corla Browser Plugin IE Registration", k32, PluginValue},           // 50
    {HKLM, kRun, L"Omb CBP Disable IE Protected Mode", k32, PluginValue},                   // 51
    {HKLM, kRun, L"Tav CBP Disable IE Popup Blocker", k32, PluginValue},                    // 52
    {HKLM, kRun, L"!Tav Corla Browser Plugin IE Registration", k32, PluginValue},           // 53
    {HKLM, kRun, L"Tav CBP Disable IE Protected Mode", k32, PluginValue},                   // 54
    {HKCU, L"Software\\Omb\\Gorvo\\Corla", L"AppPlugin", k64, KeyTree},                     // 55
    {HKCU, L"Software\\Tav\\Gorvo\\Corla", L"AppPlugin", k64, KeyTree},                     // 56
};
static_assert(std::size(kBrowserPluginTable) == 56);

// The four client keys, always in this order.
constexpr wchar_t kMailClients[] = L"SOFTWARE\\Clients\\Mail";
constexpr wchar_t kCalendarClients[] = L"SOFTWARE\\Clients\\Calendar";
constexpr wchar_t kContactsClients[] = L"SOFTWARE\\Clients\\Contacts";
constexpr wchar_t kNewsClients[] = L"SOFTWARE\\Clients\\News";

// The office suite's application names, in this order.
constexpr const wchar_t* kOfficeApplications[] = {
    L"Gorvo Orbalux Document in Gorvo Corla.exe",
    L"Gorvo Orbalux Presentation in Gorvo Corla.exe",
    L"Gorvo Orbalux Spreadsheet in Gorvo Corla.exe",
    L"Gorvo Orbalux Documents.exe",
    L"Gorvo Orbalux Presentations.exe",
    L"Gorvo Orbalux Spreadsheets.exe",
};

// Extension lists of the office suite's document types; an extension given twice runs twice.
constexpr const wchar_t* kB8Extensions[] = {
    L"123", L"12m", L"doc", L"docm", L"docx", L"dot", L"dotm", L"dotx", L"docm",
};
constexpr const wchar_t* kB11Extensions[] = {
    L"lwp", L"mas", L"mwp", L"odp", L"ods", L"odt", L"otp", L"ots", L"ott", L"pot", L"potm",
    L"potx", L"ppt", L"pptm", L"pptx", L"prz", L"rtf", L"smc", L"stc", L"sti", L"stw", L"sxc",
    L"sxi", L"sxw", L"sxi", L"xls", L"xlsm", L"xlsx", L"xlt", L"xltm", L"xltx",
};
constexpr const wchar_t* kB14Extensions[] = {
    L"123", L"12m", L"doc", L"docm", L"docx", L"dot", L"dotm", L"dotx", L"lwp", L"mas",
    L"odp", L"odt", L"ods", L"otp", L"ots", L"ott", L"pot", L"potm", L"potx", L"ppt",
    L"pptm", L"pptx", L"prz", L"rtf", L"smc", L"stc", L"sti", L"stw", L"sxc", L"sxi",
    L"sxw", L"123", L"xls", L"xlsm", L"xlsx", L"xlt", L"xltm", L"xltx",
};
static_assert(std::size(kB8Extensions) == 9 && std::size(kB11Extensions) == 31 &&
              std::size(kB14Extensions) == 38);

constexpr wchar_t kServices[] = L"SYSTEM\\CurrentControlSet\\Services";
constexpr wchar_t kEventLogApplication[] =
    L"SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application";
constexpr wchar_t kElevationPolicy[] =
    L"SOFTWARE\\Microsoft\\Internet Explorer\\Low Rights\\ElevationPolicy";

constexpr CleanupEntry kB1[] = {
    {HKLM, kMailClients, L"", k32, Blank},
    {HKLM, kCalendarClients, L"", k32, Blank},
    {HKLM, kContactsClients, L"", k32, Blank},
    {HKLM, kNewsClients, L"", k32, Blank},
};

constexpr CleanupEntry kB2[] = {
    {HKLM, kMailClients, L"Gorvo Corla", k32, KeyTree},
    {HKLM, kCalendarClients, L"Gorvo Corla", k32, KeyTree},
    {HKLM, kContactsClients, L"Gorvo Corla", k32, KeyTree},
    {HKLM, kNewsClients, L"Gorvo Corla", k32, KeyTree},
};

constexpr CleanupEntry kB3[] = {
    {HKLM, kMailClients, L"Omb Corla", k32, KeyTree},
    {HKLM, kCalendarClients, L"Omb Corla", k32, KeyTree},
    {HKLM, kContactsClients, L"Omb Corla", k32, KeyTree},
    {HKLM, kNewsClients, L"Omb Corla", k32, KeyTree},
    {HKLM, kMailClients, L"Tav Corla", k32, KeyTree},
    {HKLM, kCalendarClients, L"Tav Corla", k32, KeyTree},
    {HKLM, kContactsClients, L"Tav Corla", k32, KeyTree},
    {HKLM, kNewsClients, L"Tav Corla", k32, KeyTree},
};

constexpr CleanupEntry kB4[] = {
    {HKLM, kServices, L"npcorla", k64, KeyTree},
    {HKLM, kServices, L"npcorla64", k64, KeyTree},
    {HKLM, kEventLogApplication, L"Gorvo Corla Network Provider", k64, KeyTree},
    {HKLM, kEventLogApplication, L"Gorvo Corla Single Logon", k64, KeyTree},
    {HKLM, kEventLogApplication, L"Omb Corla Network Provider", k64, KeyTree},
    {HKLM, kEventLogApplication, L"Omb Corla Single Logon", k64, KeyTree},
    {HKLM, kEventLogApplication, L"Tav Corla Network Provider", k64, KeyTree},
    {HKLM, kEventLogApplication, L"Tav Corla Single Logon", k64, KeyTree},
    {HKLM, L"SOFTWARE\\Microsoft\\MMC\\SnapIns", SnapInClass, k64, KeyTree},
    {HKLM, L"SOFTWARE\\Gorvo\\Veltrane Client\\VtConnAgent", L"OmbGorvoCorla65", k32, KeyTree},
};

constexpr CleanupEntry kB5[] = {
    {HKLM, L"SOFTWARE\\Gorvo\\Components\\GorvoScriptExtensions", L"2.0", k32, KeyTree},
    {HKLM, L"SOFTWARE\\Gorvo\\Components", L"Ravvel", k32, KeyTree},
    {HKLM, kElevationPolicy, ElevationPolicyA, k32, KeyTree},
    {HKLM, kElevationPolicy, ElevationPolicyB, k32, KeyTree},
};

constexpr CleanupEntry kB6[] = {
    {HKCR, L"", L".qtf", k64, GuardedKeyTree},
    {HKCR, L"", L".qsf", k64, GuardedKeyTree},
    {HKCR, L"", L".qs4", k64, GuardedKeyTree},
    {HKCR, L"", L".qs3", k64, GuardedKeyTree},
    {HKCR, L"", L".qs2", k64, GuardedKeyTree},
    {HKCR, L"", L".qsh", k64, GuardedKeyTree},
    {HKCR, L"", L".qsg", k64, GuardedKeyTree},
    {HKCR, L"", L".qdl", k64, GuardedKeyTree},
    {HKCR, L"", L"Corla", k64, GuardedKeyTree},
    {HKCR, L"", L"Corla.template", k64, GuardedKeyTree},
    {HKCR, L"", L"Corla.database", k64, GuardedKeyTree},
    {HKCR, L"", L"Corla.mailto", k64, GuardedKeyTree},
    {HKCR, L"", L"Corla.link", k64, GuardedKeyTree},
    {HKCR, L"", L"Corla.emlfile", k64, GuardedKeyTree},
    {HKCR, L"", L"Corla.vcffile", k64, GuardedKeyTree},
    {HKCR, L"", L"Corla.icsfile", k64, GuardedKeyTree},
};

constexpr CleanupEntry kB7[] = {
    {HKCR, L"", L"Corla.CorlaSession", k64, KeyTree},
    {HKCR, L"", L"Corla.CorlaUIWorkspace", k64, KeyTree},
};

constexpr CleanupEntry kB8[] = {
    {HKLM, L"SOFTWARE\\Classes", DocumentTypesUnderExtensions(kB8Extensions), k64, KeyTree},
};

constexpr ProgramPathGuard kB9Guard = {HKLM, L"SOFTWARE\\Classes\\.eml", L"shell\\open\\command",
                                       L"", k64};
constexpr CleanupEntry kB9[] = {
    {HKLM, L"SOFTWARE\\Classes\\.eml", L"", k64, Blank},
    {HKLM, L"SOFTWARE\\Classes\\.eml\\shell\\open\\command", L"", k64, Blank},
};

constexpr CleanupEntry kB10[] = {
    {HKLM, L"SOFTWARE\\Classes", L".lk", k64, KeyTree},
    {HKLM, L"SOFTWARE\\Classes\\.ics", L"", k64, Blank},
    {HKLM, L"SOFTWARE\\Classes\\.vcf", L"", k64, Blank},
    {HKLM, L"SOFTWARE\\Classes\\.vcs", L"", k64, Blank},
    {HKLM, L"SOFTWARE\\Classes\\.ics\\shell\\open\\command", L"", k64, Blank},
    {HKLM, L"SOFTWARE\\Classes\\.vcf\\shell\\open\\command", L"", k64, Blank},
    {HKLM, L"SOFTWARE\\Classes\\.vcs\\shell\\open\\command", L"", k64, Blank},
};

constexpr CleanupEntry kB11[] = {
    {HKLM, L"SOFTWARE\\Classes", DocumentTypesUnderExtensions(kB11Extensions), k64, KeyTree},
};

constexpr CleanupEntry kB12[] = {
    {HKLM, L"SOFTWARE\\Classes\\Applications", kOfficeApplications, k64, KeyTree},
};

constexpr CleanupEntry kB13[] = {
    {HKLM, L"SOFTWARE\\Classes\\CLSID", ClassPairA, k32, KeyTree},
    {HKLM, L"SOFTWARE\\Classes\\CLSID", ClassPairB, k32, KeyTree},
    {HKLM, L"SOFTWARE\\Classes", L"com.sun.star.ServiceManager", k64, KeyTree},
};

constexpr const wchar_t* kB14ClassNames[] = {
    L"Gorvo.CorlaSession",     L"Gorvo.CorlaSession.7.0",  L"smarttags.STAction",
    L"smarttags.STAction.1",   L"smarttags.STRecognizer",  L"smarttags.STRecognizer.1",
};
constexpr CleanupEntry kB14[] = {
    {HKLM, L"SOFTWARE\\Classes\\Interface", InterfaceSetA, k32, KeyTree},
    {HKLM, L"SOFTWARE\\Classes", kB14ClassNames, k64, KeyTree},
    {HKLM, L"SOFTWARE\\Classes", DocumentTypes(kB14Extensions), k64, KeyTree},
};

constexpr CleanupEntry kB15[] = {
    {HKLM, L"SOFTWARE\\Classes\\MIME\\Database\\Content Type", L"application/lk", k64, KeyTree},
};

constexpr CleanupEntry kB16[] = {
    {HKLM, L"SOFTWARE\\Classes\\TypeLib", TypeLibraryA, k64, KeyTree},
    {HKLM, L"SOFTWARE\\Classes\\TypeLib", TypeLibraryB, k64, KeyTree},
    {HKLM, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths", L"corla.exe", k64,
     KeyTree},
};

constexpr CleanupEntry kB17[] = {
    {HKLM, L"SOFTWARE\\Classes\\webcal\\DefaultIcon", L"", k64, Blank},
    {HKLM, L"SOFTWARE\\Classes\\webcal\\shell\\open\\command", L"", k64, Blank},
    {HKLM, L"SOFTWARE\\Classes\\webcals\\DefaultIcon", L"", k64, Blank},
    {HKLM, L"SOFTWARE\\Classes\\webcals\\shell\\open\\command", L"", k64, Blank},
    {HKLM, L"SOFTWARE\\Classes\\mailto\\DefaultIcon", L"", k64, Blank},
    {HKLM, L"SOFTWARE\\Classes\\mailto\\shell\\open\\command", L"", k64, Blank},
    {HKLM, L"SOFTWARE\\Classes\\CLSID", L"", k32, Blank},
    {HKCR, {L"CLSID", SnapInClass}, L"InprocServer32", k32, KeyTree},
    {HKCR, {L"CLSID", InprocClassB}, L"InprocServer32", k32, KeyTree},
};

constexpr CleanupEntry kB18[] = {
    {HKCR, L"CLSID", ClassSetA, k32, KeyTree},
    {HKCR, {L"TypeLib", TypeLibraryA}, L"6.0", k32, KeyTree},
};

constexpr ProgramPathGuard kB18Guard = {HKCR, L".eml", L"shell\\open\\command", L"", k64};
constexpr CleanupEntry kB18Eml[] = {
    {HKCR, L".eml\\shell\\open\\command", L"", k64, Blank},
};

constexpr CleanupEntry kB19[] = {
    {HKCR, L"mailto\\DefaultIcon", L"", k64, Blank},
    {HKCR, L"mailto\\shell\\open\\command", L"", k64, Blank},
    {HKCR, L"webcal\\DefaultIcon", L"", k64, Blank},
    {HKCR, L"webcal\\shell\\open\\command", L"", k64, Blank},
    {HKCR, L"webcals\\DefaultIcon", L"", k64, Blank},
    {HKCR, L"webcals\\shell\\open\\command", L"", k64, Blank},
    {HKCR, L".vcf\\shell\\open\\command", L"", k64, Blank},
    {HKCR, L".ics\\shell\\open\\command", L"", k64, Blank},
    {HKCR, L".vcs\\shell\\open\\command", L"", k64, Blank},
    {HKLM, kRun, L"Omb Gorvo Corla Preloader", k32, Value},
    {HKLM, kRun, L"Omb Corla Preloader", k32, Value},
    {HKLM, kRun, L"Tav Corla Preloader", k32, Value},
};

constexpr wchar_t kRegisteredApplications[] = L"SOFTWARE\\RegisteredApplications";
constexpr CleanupEntry kB20[] = {
    {HKLM, kRegisteredApplications, L"Gorvo Corla", k64, Value},
    {HKLM, kRegisteredApplications, L"Gorvo Corla Calendar", k64, Value},
    {HKLM, kRegisteredApplications, L"Gorvo Corla Contacts", k64, Value},
    {HKLM, kRegisteredApplications, L"Omb Corla", k64, Value},
    {HKLM, kRegisteredApplications, L"Omb Corla Calendar", k64, Value},
    {HKLM, kRegisteredApplications, L"Omb Corla Contacts", k64, Value},
    {HKLM, kRegisteredApplications, L"Tav Corla", k64, Value},
    {HKLM, kRegisteredApplications, L"Tav Corla Calendar", k64, Value},
    {HKLM, kRegisteredApplications, L"Tav Corla Contacts", k64, Value},
    {HKLM, L"SYSTEM\\CurrentControlSet\\Services\\InetInfo\\Parameters", L"MimeMap", k64, Value},
    {HKLM, L"SOFTWARE\\Classes\\CLSID", ClassSetB, k32, KeyTree},
    {HKLM, L"SOFTWARE\\Classes", L"{com.sun.star.ServiceManager.1}", k32, KeyTree},
    {HKLM, L"SOFTWARE\\Classes", L"com.sun.star.ServiceManager.1", k32, KeyTree},
    {HKLM, kRun, L"OXDCPreLoad", k64, Value},
    {HKLM, L"SOFTWARE\\Classes", L"standalone_auto_file.mwp", k64, KeyTree},
    {HKLM, L"SOFTWARE\\Classes\\TypeLib", TypeLibraryC, k64, KeyTree},
};

constexpr CleanupEntry kB21[] = {
    {HKU, L".DEFAULT\\Software\\Classes\\lki\\shell\\open\\command", L"", k64, Blank},
    {HKU, L"S-1-5-18\\Software\\Classes\\lki\\shell\\open\\command", L"", k64, Blank},
    {HKCU, L"Software\\Classes\\lki\\shell\\open\\command", L"", k64, Blank},
    {HKLM, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Management\\Icon Hints",
     L"Gorvo Corla", k64, Value},
    {HKCR, L"CLSID", ClassSetC, k32, KeyTree},
    {HKCR, L"TypeLib", TypeLibraryD, k32, KeyTree},
    {HKLM, L"SOFTWARE\\Classes\\CLSID", ClassSetC, k32, KeyTree},
    {HKLM, L"SOFTWARE\\Classes\\TypeLib", TypeLibraryD, k32, KeyTree},
    {HKCU, kRun, L"CorlaOXDCPreLoad", k64, Value},
    {HKLM, L"SOFTWARE\\Gorvo", L"Components", k64, KeyTree},
    {HKLM, L"SOFTWARE\\Gorvo", L"Veltrane Client", k64, KeyTree},
    {HKCU, L"Software\\Clients", L"Mail", k64, KeyTree},
    {HKCR, L"", L".vcf", k64, KeyTree},
};

constexpr CleanupEntry kB22[] = {
    {HKLM, L"SOFTWARE\\Microsoft\\Office\\8.0\\Common\\MAPIDll", L"DLL32", k32, Value},
    {HKLM, L"SOFTWARE\\Classes\\Applications", L"nlcorla.exe", k64, KeyTree},
    {HKLM, L"SOFTWARE\\Classes\\Applications", L"corla.exe", k64, KeyTree},
    {HKLM, L"SOFTWARE\\Classes\\Applications", L"corla2.exe", k64, KeyTree},
    {HKLM, kRun, L"CorlaOXDCPreLoad", k64, Value},
};

constexpr CleanupEntry kB23[] = {
    {HKCR, L".odp", L"standalone_auto_file.odp", k64, KeyTree},
    {HKCR, L".ods", L"standalone_auto_file.ods", k64, KeyTree},
    {HKCR, L".odt", L"standalone_auto_file.odt", k64, KeyTree},
    {HKCR, L"Applications", kOfficeApplications, k64, KeyTree},
};

const CleanupBlock kCleanupBlocks[] = {
    {L"B1", UnlessCoexist, kB1},
    {L"B2", UnlessLarkspan, kB2},
    {L"B3", Always, kB3},
    {L"B4", UnlessLarkspan, kB4},
    {L"B5", Always, kB5},
    {L"B6", Always, kB6},
    {L"B7", Always, kB7},
    {L"B8", Always, kB8},
    {L"B9", Always, kB9, &kB9Guard},
    {L"B10", UnlessLarkspan, kB10},
    {L"B11", Always, kB11},
    {L"B12", UnlessLarkspan, kB12},
    {L"B13", Always, kB13},
    {L"B14", UnlessCoexist, kB14},
    {L"B15", UnlessLarkspan, kB15},
    {L"B16", Always, kB16},
    {L"B17", UnlessLarkspan, kB17},
    {L"B18", Always, kB18},
    {L"B18", Always, kB18Eml, &kB18Guard},
    {L"B19", UnlessLarkspan, kB19},
    {L"B20", Always, kB20},
    {L"B21", UnlessLarkspan, kB21},
    {L"B22", Always, kB22},
    {L"B23", UnlessLarkspan, kB23},
};

std::wstring JoinPath(const KeyPath& path)
{
    std::wstring text = path.base;
    if (path.identifier)
        text += std::wstring(L"\\") + path.identifier;
    return text;
}

CleanupTarget TargetFor(const CleanupEntry& entry, const std::wstring& path,
                        const wchar_t* name)
{
    const std::wstring documentType = std::wstring(L"standalone_auto_file.") + name;
    switch (entry.names.naming) {
    case Naming::DocumentTypeUnderExtension:
        return {entry.hive, path + L"\\." + name, documentType, entry.view, entry.operation};
    case Naming::DocumentType:
        return {entry.hive, path, documentType, entry.view, entry.operation};
    case Naming::AsGiven:
        break;
    }
    return {entry.hive, path, name, entry.view, entry.operation};
}

}  // namespace

HKEY HiveKey(Hive hive)
{
    switch (hive) {
    case HKLM:
        return HKEY_LOCAL_MACHINE;
    case HKCU:
        return HKEY_CURRENT_USER;
    case HKCR:
        return HKEY_CLASSES_ROOT;
    case HKU:
        return HKEY_USERS;
    }
    return nullptr;
}

std::span<const CleanupEntry> BrowserPluginTable()
{
    return kBrowserPluginTable;
}

std::span<const CleanupBlock> CleanupBlocks()
{
    return kCleanupBlocks;
}

std::vector<CleanupTarget> ExpandEntry(const CleanupEntry& entry)
{
    const std::wstring path = JoinPath(entry.path);
    if (!entry.names.list)
        return {TargetFor(entry, path, entry.names.single)};
    std::vector<CleanupTarget> targets;
    for (std::size_t index = 0; index < entry.names.count; ++index)
        targets.push_back(TargetFor(entry, path, entry.names.list[index]));
    return targets;
}
