// The switches: one table of command lines and the flags they leave.
#include "app/tido_app.h"
#include "support/fake_system.h"

#include <gtest/gtest.h>

namespace {

struct Flags {
    int help, invalid, wipe, quiet, progressBar, statusBox, programFiles, dataFiles, sharedData,
        product;
    bool operator==(const Flags&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Flags& f)
{
    return out << "help " << f.help << " invalid " << f.invalid << " wipe " << f.wipe
               << " qn " << f.quiet << " qb " << f.progressBar << " + " << f.statusBox
               << " rp " << f.programFiles << " rd " << f.dataFiles << " rs " << f.sharedData
               << " product " << f.product;
}

Flags Parse(const wchar_t* commandLine)
{
    test::FakeSystem system;
    CTidoApp app(system);
    App::ParseCommandLine(App::SplitCommandLine(commandLine), app.m_cmdInfo);
    return {app.m_cmdInfo.m_bShowHelp, app.m_cmdInfo.m_bInvalid, app.m_bWipe, app.m_bQuiet,
            app.m_bProgressBar, app.m_bStatusBox, app.m_bRemoveProgramFiles,
            app.m_bRemoveDataFiles, app.m_bRemoveSharedData, app.m_nProduct};
}

TEST(Switches, SetTheirFlags)
{
    struct Case {
        const wchar_t* commandLine;
        Flags expected;
    } cases[] = {
        //                                   help inv wipe qn qb +  rp rd rs product
        {L"tido.exe",                        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {L"tido.exe -qn+ -rp -rd",           {0, 0, 0, 1, 0, 1, 1, 1, 0, 0}},
        {L"tido.exe /QB",                    {0, 0, 0, 0, 1, 0, 0, 0, 0, 0}},
        {L"tido.exe -qb+",                   {0, 0, 0, 0, 1, 1, 0, 0, 0, 0}},
        {L"tido.exe -qn -qb",                {0, 0, 0, 1, 1, 0, 0, 0, 0, 0}},
        {L"tido.exe -WIPE /Rs -rs",          {0, 0, 1, 0, 0, 0, 0, 0, 1, 0}},
        {L"tido.exe -rn -ri",                {0, 0, 0, 0, 0, 0, 0, 0, 0, 2}},
        {L"tido.exe -ri -rn",                {0, 0, 0, 0, 0, 0, 0, 0, 0, 1}},
        {L"tido.exe -h",                     {1, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {L"tido.exe /? -qn",                 {1, 0, 0, 1, 0, 0, 0, 0, 0, 0}},
        // The q family: the mode letter is taken even when the rest is malformed.
        {L"tido.exe -q",                     {1, 1, 0, 0, 0, 0, 0, 0, 0, 0}},
        {L"tido.exe -qbx",                   {1, 1, 0, 0, 1, 0, 0, 0, 0, 0}},
        {L"tido.exe -qnn+",                  {1, 1, 0, 1, 0, 0, 0, 0, 0, 0}},
        {L"tido.exe -qn++",                  {1, 1, 0, 1, 0, 0, 0, 0, 0, 0}},
        {L"tido.exe -qx+",                   {1, 1, 0, 0, 0, 1, 0, 0, 0, 0}},
        // Words that are not switches.
        {L"tido.exe -x",                     {1, 1, 0, 0, 0, 0, 0, 0, 0, 0}},
        {L"tido.exe rp",                     {1, 1, 0, 0, 0, 0, 0, 0, 0, 0}},
        {L"tido.exe -",                      {1, 1, 0, 0, 0, 0, 0, 0, 0, 0}},
        {L"tido.exe -h -x",                  {1, 1, 0, 0, 0, 0, 0, 0, 0, 0}},
        {L"tido.exe -rpx -rp",               {1, 1, 0, 0, 0, 0, 1, 0, 0, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Parse(c.commandLine), c.expected) << "for: " << testing::PrintToString(
                                                           std::wstring(c.commandLine));
}

}  // namespace
