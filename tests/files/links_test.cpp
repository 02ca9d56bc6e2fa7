// Directory links met in a removal, made by links_test.sh as Linux symbolic links inside the
// prefix before this program runs (a Windows program cannot make links under Wine). Wine shows
// such a link with the reparse-point attribute, as Windows shows a junction.
#include "app/tido_app.h"
#include "dialog/tido_dlg.h"
#include "support/fake_system.h"
#include "support/log_reader.h"
#include "support/machine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using test::Machine;
using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::Not;

namespace {

const std::wstring kRoot = L"C:\\TidoLinkTest";

class DirectoryLinks : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::ClearLogs();
        DWORD attributes = GetFileAttributesW((kRoot + L"\\data\\link").c_str());
        ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES) << "run through links_test.sh";
        ASSERT_TRUE(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
    }
    void ExpectLinkedFilesKept()
    {
        EXPECT_TRUE(Machine::Exists(kRoot + L"\\elsewhere\\keep.txt"));
        EXPECT_TRUE(Machine::Exists(kRoot + L"\\elsewhere\\inner\\deep.txt"));
        // Whatever the link removal gave, nothing was tried inside the linked folder.
        EXPECT_THAT(test::ReadLogLines(), Not(Contains(HasSubstr("keep.txt"))));
        EXPECT_THAT(test::ReadLogLines(), Not(Contains(HasSubstr("\\inner"))));
    }

    test::FakeSystem system;
    CTidoApp app{system};
    CTidoDlg dialog{102, &app};
};

TEST_F(DirectoryLinks, ALinkInsideTheDataDirectoryIsRemovedAsALinkOnly)
{
    dialog.DeleteDirectory(kRoot + L"\\data", false);
    ExpectLinkedFilesKept();
    EXPECT_FALSE(Machine::Exists(kRoot + L"\\data\\sub"));
    EXPECT_THAT(test::ReadLogLines(),
                Contains("TIDO: DeleteDirectory: Found directory link, not followed: "
                         "C:\\TidoLinkTest\\data\\link"));
}

TEST_F(DirectoryLinks, ALinkGivenAsTheTopIsRemovedAsALinkOnly)
{
    dialog.DeleteDirectory(kRoot + L"\\toplink\\", false);
    ExpectLinkedFilesKept();
    EXPECT_THAT(test::ReadLogLines(),
                Contains("TIDO: DeleteDirectory: Found directory link, not followed: "
                         "C:\\TidoLinkTest\\toplink"));
}

}  // namespace
