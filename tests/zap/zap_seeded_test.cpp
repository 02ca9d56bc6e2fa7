// msizap.exe run on complete registrations of two products seeded by hand
// (tests/data/zap_products*.reg): every location, both views where Windows has two.
#include "test_products.h"

#include "support/machine.h"

#include <gtest/gtest.h>

namespace {

using zaptest::productA;
using zaptest::productB;
using zaptest::RegistryMentions;
using zaptest::RunTool;

const wchar_t cachedPackageA[] = L"C:\\windows\\Installer\\tidozap_a.msi";
const wchar_t cachedPackageB[] = L"C:\\windows\\Installer\\tidozap_b.msi";
const wchar_t outsidePackageA[] = L"C:\\TidoTest\\zap\\user_a.msi";  // named by the per-user data

std::vector<std::wstring> Mentions(const zaptest::TestProduct& product)
{
    std::vector<std::wstring> mentions = RegistryMentions(product.packed);
    for (const std::wstring& mention : RegistryMentions(product.code))
        mentions.push_back(mention);
    return mentions;
}

std::string Listed(const std::vector<std::wstring>& lines)
{
    std::string text;
    for (const std::wstring& line : lines)
        text += std::string(line.begin(), line.end()) + "\n";
    return text;
}

class ZapSeeded : public ::testing::Test {
protected:
    ZapSeeded()
    {
        zaptest::ForgetTestProducts();
        machine_.ImportReg(L"zap_products.reg", test::View::k64);
        machine_.ImportReg(L"zap_products_wow.reg", test::View::k32);
        for (const wchar_t* package : {cachedPackageA, cachedPackageB, outsidePackageA})
            machine_.WriteFile(package, "package");
    }
    ~ZapSeeded() override { zaptest::ForgetTestProducts(); }

    test::Machine machine_;
};

TEST_F(ZapSeeded, RemovesOneProductEverywhereAndNothingOfTheOther)
{
    std::vector<std::wstring> seededA = Mentions(productA);
    std::vector<std::wstring> seededB = Mentions(productB);
    ASSERT_FALSE(seededA.empty());

    zaptest::ToolRun run = RunTool(L"TW " + std::wstring(productA.code));
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_NE(run.output.find("Removed file C:\\windows\\Installer\\tidozap_a.msi"),
              std::string::npos)
        << run.output;

    EXPECT_EQ(Listed(Mentions(productA)), "");
    // Keys that held only A's value went with it; those shared with B keep B's.
    EXPECT_EQ(Listed(RegistryMentions(productA.upgradePacked)), "");
    EXPECT_EQ(Listed(RegistryMentions(productA.componentPacked)), "");
    EXPECT_EQ(Mentions(productB), seededB);
    EXPECT_FALSE(test::Machine::Exists(cachedPackageA));
    EXPECT_TRUE(test::Machine::Exists(cachedPackageB));
    EXPECT_TRUE(test::Machine::Exists(outsidePackageA));  // not in the installer cache

    zaptest::ToolRun again = RunTool(L"TW " + std::wstring(productA.code));
    EXPECT_EQ(again.exitCode, 0u);
    EXPECT_EQ(again.output, "");
    EXPECT_EQ(Mentions(productB), seededB);
}

TEST_F(ZapSeeded, AFailureIsTheExitCodeAfterEveryOtherItemIsRemoved)
{
    // Held open without delete sharing, the cached package cannot go (error 32).
    HANDLE held = CreateFileW(cachedPackageA, GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    zaptest::ToolRun run = RunTool(L"tw " + std::wstring(productA.code));
    CloseHandle(held);

    EXPECT_EQ(run.exitCode, static_cast<unsigned long>(ERROR_SHARING_VIOLATION)) << run.output;
    EXPECT_NE(run.output.find("error 32"), std::string::npos) << run.output;
    EXPECT_TRUE(test::Machine::Exists(cachedPackageA));
    EXPECT_EQ(Listed(Mentions(productA)), "");
}

TEST_F(ZapSeeded, BadCommandLinesExit87AndChangeNothing)
{
    std::vector<std::wstring> seededA = Mentions(productA);
    const std::wstring code = productA.code;
    const std::wstring commandLines[] = {
        L"",
        L"TW",
        code,
        L"T " + code,
        L"/TW " + code,
        L"TW " + code + L" extra",
        L"TW " + code + L" " + productB.code,
        L"TW \"" + code + L"\"",
        L"TW " + code + L"&echo",
        L"TW " + code.substr(1, 36),
        L"TW {8F3C2A10-5B7D-4E21-9A6C-0D1E2F3A4B5X}",
    };
    for (const std::wstring& arguments : commandLines) {
        zaptest::ToolRun run = RunTool(arguments);
        std::string shown(arguments.begin(), arguments.end());
        EXPECT_EQ(run.exitCode, static_cast<unsigned long>(ERROR_INVALID_PARAMETER)) << shown;
        EXPECT_EQ(run.output.rfind("usage: msizap TW {product-code}", 0), 0u)
            << shown << ": " << run.output;
    }
    EXPECT_EQ(Mentions(productA), seededA);
    EXPECT_TRUE(test::Machine::Exists(cachedPackageA));
}

}  // namespace
