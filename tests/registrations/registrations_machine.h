#pragma once
// A machine seeded with everything the product-registration cleanup names, and the checks of
// what is gone and what stays afterwards.
#include "app/tido_app.h"
#include "dialog/tido_dlg.h"
#include "registry/registration_tables.h"
#include "support/fake_system.h"
#include "support/machine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace registrations_test {

// The program directory as GenerateDataDirectory leaves it (lower case), and the data
// directories as they are read. No product word occurs in them, so a match through them is
// a match through the directory.
inline const wchar_t kProgramDir[] = L"c:\\tidotest\\mail suite";
inline const wchar_t kDataDir[] = L"C:\\TidoTest\\Data";
inline const wchar_t kSharedDataDir[] = L"C:\\TidoTest\\Shared";
// What the seeded associations and handlers hold: a program inside the program directory.
inline const wchar_t kProgramCommand[] = L"\"C:\\TidoTest\\Mail Suite\\mailer.exe\" \"%1\"";
inline const wchar_t kAssociationCommand[] = L"\"C:\\TIDOTEST\\MAIL SUITE\\MAILER.EXE\" \"%1\"";
inline const wchar_t kForeignMailClient[] = L"Mozilla Thunderbird";
inline const wchar_t kProductCalendarClient[] = L"Tav Corla";

struct BlockTarget {
    std::wstring block;  // "plug-in" for the browser plug-in table
    BlockCondition condition;
    CleanupTarget target;
};
// Every target of the plug-in table and of the blocks, in run order, with the guards'
// command keys left out.
std::vector<BlockTarget> AllTargets();

std::wstring KeyOf(const CleanupTarget& target);  // the key a key-tree target removes
std::wstring Describe(const CleanupTarget& target);

class RegistrationsMachine : public ::testing::Test {
protected:
    RegistrationsMachine();

    // Seeds every key and value of the tables in the view of its entry, the guards' commands,
    // the client values, copies in the other view, and the installer walks' records.
    void SeedEverything();
    void SetProductDirectories();

    // Seeded state still there, or removed as the entry's operation removes it.
    void ExpectSeeded(const CleanupTarget& target);
    void ExpectRemoved(const CleanupTarget& target);
    void ExpectOtherViewCopiesStay();
    // One line per seeded location, for comparing two moments.
    std::vector<std::wstring> Snapshot();

    test::Machine machine;
    test::FakeSystem system;
    CTidoApp app{system};
    CTidoDlg dialog{102, &app};
};

// The installer walks' records still present.
std::vector<std::wstring> FeatureKeys();
std::vector<std::wstring> ComponentKeyPaths();
std::vector<std::wstring> FolderNames();

}  // namespace registrations_test
