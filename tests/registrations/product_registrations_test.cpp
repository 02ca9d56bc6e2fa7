// CleanRegistrySpecial on a machine seeded from its own tables: what goes, what stays, which
// blocks the product flags skip, the guarded associations, the installer walks and the log.
#include "registrations_machine.h"

#include "product/product.h"
#include "support/log_reader.h"
#include "support/paths.h"

#include <algorithm>
#include <set>
#include <sstream>

using test::Machine;
using test::View;

namespace registrations_test {
namespace {

const char kGolden[] = "tests\\registrations\\product_registrations.golden";

std::vector<std::string> GoldenLines()
{
    std::istringstream text(Machine::ReadFile(test::SourcePath(L"tests\\registrations\\"
                                                               L"product_registrations.golden")));
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// Line by line; the whole actual log is written beside the test program for review.
void ExpectGoldenLog(const std::vector<std::string>& actual)
{
    std::vector<std::string> golden = GoldenLines();
    if (actual == golden)
        return;
    std::string actualText;
    for (const std::string& line : actual)
        actualText += line + "\n";
    std::wstring actualPath = test::BuildPath(L"tests\\registrations\\product_registrations.actual");
    HANDLE file = CreateFileW(actualPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, actualText.data(), static_cast<DWORD>(actualText.size()), &written, nullptr);
    CloseHandle(file);
    size_t first = 0;
    while (first < actual.size() && first < golden.size() && actual[first] == golden[first])
        ++first;
    ADD_FAILURE() << "log differs from " << kGolden << " at line " << first + 1 << " ("
                  << actual.size() << " lines, golden " << golden.size() << ")\n  actual: "
                  << (first < actual.size() ? actual[first] : "<end>") << "\n  golden: "
                  << (first < golden.size() ? golden[first] : "<end>")
                  << "\nwhole log: " << test::Narrow(actualPath);
}

const std::vector<std::wstring> kCorlaFoldersLeft = {
    L"C:\\Other\\CORLA\\",               // product word in capitals only
    L"C:\\Other\\Unrelated\\",
    L"C:\\TidoTest\\Database\\",         // the data directory's name, not at a boundary
    L"C:\\TidoTest\\Mail Suite 2\\",     // sibling of the program directory
};

class ProductRegistrations : public RegistrationsMachine {
protected:
    // A flag's run: the blocks named are skipped, every other block runs. `aliases` are
    // targets of skipped blocks that a running block removes as well, because both name the
    // same key (HKCR is HKLM\SOFTWARE\Classes for a machine-wide key).
    void ExpectOnlySkipped(const std::set<std::wstring>& skipped,
                           const std::set<std::wstring>& aliases)
    {
        for (const BlockTarget& entry : AllTargets()) {
            SCOPED_TRACE(test::Narrow(entry.block));
            if (!skipped.count(entry.block) || aliases.count(KeyOf(entry.target)))
                ExpectRemoved(entry.target);
            else
                ExpectSeeded(entry.target);
        }
    }
};

TEST_F(ProductRegistrations, CorlaRunRemovesWhatTheTablesNameAndLogsTheGoldenLines)
{
    SeedEverything();
    SetProductDirectories();
    EXPECT_TRUE(dialog.CleanRegistrySpecial());

    for (const BlockTarget& entry : AllTargets())
        ExpectRemoved(entry.target);
    ExpectOtherViewCopiesStay();
    // F1 and F2 side by side both go; a mark that is no readable string keeps F4 and F5.
    EXPECT_EQ(FeatureKeys(),
              (std::vector<std::wstring>{L"TIDOTESTF3", L"TIDOTESTF4", L"TIDOTESTF5"}));
    // Only the product-less key path goes, on any drive; not a sibling directory's.
    const std::wstring zeros(32, L'0');
    EXPECT_EQ(ComponentKeyPaths(),
              (std::vector<std::wstring>{L"TIDOTESTC1\\TIDOTESTPRODUCT", L"TIDOTESTC3\\" + zeros,
                                         L"TIDOTESTC4\\" + zeros, L"TIDOTESTC5\\" + zeros}));
    EXPECT_EQ(FolderNames(), kCorlaFoldersLeft);
    ExpectGoldenLog(test::ReadLogLines());
}

TEST_F(ProductRegistrations, SecondRunChangesNothingAndLogsOnlyMisses)
{
    SeedEverything();
    SetProductDirectories();
    dialog.CleanRegistrySpecial();
    std::vector<std::wstring> cleaned = Snapshot();
    test::ClearLogs();

    dialog.CleanRegistrySpecial();
    EXPECT_EQ(Snapshot(), cleaned);
    const std::string misses[] = {
        "TIDO: CleanRegistrySpecial: Entering ",
        "TIDO: CleanRegistrySpecial: Exiting ",
        "TIDO: CleanRegistrySpecial: Registry value NOT found: ",
        "TIDO: CleanRegistrySpecial: Failed to open registry: ",
        "TIDO: DeleteRegistryRecurse: Registry key NOT found: ",
        "TIDO: DeleteRegistryRecurse: Failed to open registry: ",
        "TIDO: DeleteCorlaKey: ERROR: Failed to delete registry value: ",
        "TIDO: DeleteCorlaKey: Not found corla value: ",
        "TIDO: CheckProgramPath: No program path found in ",
    };
    std::vector<std::string> log = test::ReadLogLines();
    EXPECT_GT(log.size(), 300u);
    for (const std::string& line : log) {
        EXPECT_TRUE(std::any_of(std::begin(misses), std::end(misses), [&](const std::string& miss) {
            return line.rfind(miss, 0) == 0;
        })) << line;
    }
}

TEST_F(ProductRegistrations, LarkspanSkipsItsBlocksAndTheFeatureAndComponentWalks)
{
    SeedEverything();
    SetProductDirectories();
    dialog.m_bLarkspan = 1;
    dialog.CleanRegistrySpecial();

    ExpectOnlySkipped({L"B2", L"B4", L"B10", L"B12", L"B15", L"B17", L"B19", L"B21", L"B23"},
                      {
                          // B20 removes these classes whole (ClassSetB, 32-bit view).
                          std::wstring(L"CLSID\\") + SnapInClass + L"\\InprocServer32",
                          std::wstring(L"CLSID\\") + InprocClassB + L"\\InprocServer32",
                          // B11 removes these document types under their extensions.
                          L".odp\\standalone_auto_file.odp",
                          L".ods\\standalone_auto_file.ods",
                          L".odt\\standalone_auto_file.odt",
                      });
    ExpectOtherViewCopiesStay();
    EXPECT_EQ(FeatureKeys().size(), 6u);
    EXPECT_EQ(ComponentKeyPaths().size(), 6u);
    // Only the directories count in the folder walk for Larkspan, not the product words.
    EXPECT_EQ(FolderNames(), (std::vector<std::wstring>{
                                 L"C:\\Apps\\Corla\\", L"C:\\Other\\CORLA\\", L"C:\\Other\\Unrelated\\",
                                 L"C:\\Other\\rcplauncher\\", L"C:\\Program Files\\Tav\\Corla Help\\",
                                 L"C:\\TidoTest\\Database\\", L"C:\\TidoTest\\Mail Suite 2\\"}));
}

TEST_F(ProductRegistrations, CoexistenceSkipsOnlyB1AndB14)
{
    SeedEverything();
    SetProductDirectories();
    dialog.m_bCoexist = 1;
    dialog.CleanRegistrySpecial();

    ExpectOnlySkipped({L"B1", L"B14"}, {});
    EXPECT_EQ(FeatureKeys().size(), 3u);
    EXPECT_EQ(FolderNames(), kCorlaFoldersLeft);
}

TEST_F(ProductRegistrations, EmptyProgramDirectoryMatchesNoDirectory)
{
    SeedEverything();
    dialog.CleanRegistrySpecial();

    for (const BlockTarget& entry : AllTargets()) {
        if (entry.target.operation == CleanupOperation::GuardedKeyTree)
            ExpectSeeded(entry.target);
        else
            ExpectRemoved(entry.target);  // blanks only where a product word is
    }
    // The .eml handler's guard fails, so both its values keep the program.
    EXPECT_EQ(Machine::ReadString(HKEY_CLASSES_ROOT, L".eml\\shell\\open\\command", L""),
              kProgramCommand);
    EXPECT_EQ(Machine::ReadString(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Classes\\.eml", L""),
              kProgramCommand);
    EXPECT_EQ(ComponentKeyPaths().size(), 6u);
    EXPECT_EQ(FolderNames(),
              (std::vector<std::wstring>{L"C:\\Other\\CORLA\\", L"C:\\Other\\Unrelated\\",
                                         L"C:\\TIDOTEST\\MAIL SUITE\\Bin\\",
                                         L"C:\\TidoTest\\Data\\", L"C:\\TidoTest\\Database\\",
                                         L"C:\\TidoTest\\Mail Suite 2\\",
                                         L"C:\\TidoTest\\Mail Suite\\",
                                         L"C:\\TidoTest\\Shared\\Cache\\"}));
    for (const std::string& line : test::ReadLogLines()) {
        EXPECT_EQ(line.find("Found program path"), std::string::npos) << line;
        EXPECT_EQ(line.find("component registry value"), std::string::npos) << line;
    }
}

TEST_F(ProductRegistrations, AssociationsGoOnlyWithTheirProgramInsideTheProgramDirectory)
{
    machine.ImportReg(L"guarded_associations.reg", View::k64);
    SetProductDirectories();
    dialog.CleanRegistrySpecial();

    struct Case {
        const wchar_t* key;
        bool stays;
    } cases[] = {
        {L".qtf", false},
        {L".qsf", true},   // sibling directory
        {L".qs4", false},  // capitals, unquoted
        {L".qs3", true},   // a product word elsewhere
        {L"Corla.mailto", true},
        {L"Corla", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Machine::KeyExists(HKEY_CLASSES_ROOT, c.key), c.stays) << test::Narrow(c.key);
    EXPECT_EQ(Machine::ReadString(HKEY_CLASSES_ROOT, L".eml", L""), L"Corla.emlfile");

    // The guards' lines and every entry directly under the root of HKEY_CLASSES_ROOT.
    std::vector<std::string> guarded;
    for (const std::string& line : test::ReadLogLines()) {
        if (line.find("CheckProgramPath") != std::string::npos ||
            line.find("HKEY_CLASSES_ROOT\\\\") != std::string::npos)
            guarded.push_back(line);
    }
    const std::string found = "TIDO: CheckProgramPath: Found program path in HKEY_CLASSES_ROOT\\";
    const std::string none = "TIDO: CheckProgramPath: No program path found in HKEY_CLASSES_ROOT\\";
    const std::string deleted =
        "TIDO: DeleteRegistryRecurse: Registry subvalue deleted recursively: HKEY_CLASSES_ROOT\\\\";
    const std::string missing = "TIDO: DeleteRegistryRecurse: Registry key NOT found: HKEY_CLASSES_ROOT\\\\";
    const std::string command = "\\shell\\open\\command";
    EXPECT_EQ(guarded, (std::vector<std::string>{
                           found + ".qtf" + command, deleted + ".qtf",
                           none + ".qsf" + command,
                           found + ".qs4" + command, deleted + ".qs4",
                           none + ".qs3" + command,
                           found + "Corla" + command, deleted + "Corla",
                           missing + "Corla.CorlaSession", missing + "Corla.CorlaUIWorkspace",
                           "TIDO: CheckProgramPath: No program path found in HKEY_LOCAL_MACHINE\\"
                           "SOFTWARE\\Classes\\.eml" + command,
                           none + ".eml" + command,
                           missing + ".vcf",
                       }));
}

}  // namespace
}  // namespace registrations_test
