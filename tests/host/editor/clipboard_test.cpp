// Tests of the clipboard: the Win32 calls the module makes, the host's listener, the atomic file write.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "kelvora/clipboard.h"
#include "kelvora/win32.h"

namespace kelvora {
namespace {

// The module's way: a movable block with the text, handed to the clipboard.
bool putOnClipboard(const std::wstring& text)
{
    if (!OpenClipboard(nullptr))
        return false;
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    auto* data = static_cast<wchar_t*>(GlobalLock(block));
    std::memcpy(data, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(block);
    bool set = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
    CloseClipboard();
    return set;
}

class Clipboard : public ::testing::Test {
protected:
    void SetUp() override { resetClipboard(); }
    void TearDown() override
    {
        setClipboardListener(nullptr);
        resetClipboard();
    }
};

TEST_F(Clipboard, TextSetByTheModuleReachesTheHostAndItsListener)
{
    std::vector<std::wstring> heard;
    setClipboardListener([&](const std::wstring& text) { heard.push_back(text); });
    ASSERT_TRUE(putOnClipboard(L"Surfaces \nId\tSuperficie\tPérimètre\n"));
    ASSERT_TRUE(putOnClipboard(L"second"));
    EXPECT_EQ(clipboardText(), L"second");
    EXPECT_EQ(heard, (std::vector<std::wstring>{L"Surfaces \nId\tSuperficie\tPérimètre\n", L"second"}));
}

TEST_F(Clipboard, NothingIsSetUntilSetClipboardData)
{
    int calls = 0;
    setClipboardListener([&](const std::wstring&) { ++calls; });
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_TRUE(EmptyClipboard());
    EXPECT_TRUE(CloseClipboard());
    EXPECT_EQ(calls, 0);
    EXPECT_FALSE(clipboardText().has_value());
}

TEST_F(Clipboard, OpenTwiceFailsAndClosedClipboardRefusesData)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_FALSE(OpenClipboard(nullptr));
    EXPECT_TRUE(CloseClipboard());
    EXPECT_FALSE(CloseClipboard());
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 8);
    EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, block), nullptr);
    EXPECT_FALSE(EmptyClipboard());
    EXPECT_EQ(GlobalFree(block), nullptr);
}

TEST_F(Clipboard, ReadBackAsWideAndNarrowText)
{
    ASSERT_TRUE(putOnClipboard(L"Lot 7 \u00e9"));
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    auto* wide = static_cast<const wchar_t*>(GlobalLock(GetClipboardData(CF_UNICODETEXT)));
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(std::wstring(wide), L"Lot 7 \u00e9");
    auto* narrow = static_cast<const char*>(GlobalLock(GetClipboardData(CF_TEXT)));
    ASSERT_NE(narrow, nullptr);
    EXPECT_EQ(std::string(narrow), "Lot 7 \xC3\xA9");
    CloseClipboard();
}

TEST_F(Clipboard, UnknownBlocksAndFormatsAreRefused)
{
    int local = 0;
    EXPECT_EQ(GlobalLock(&local), nullptr);
    EXPECT_EQ(GlobalSize(&local), 0u);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, &local), nullptr);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 4);
    EXPECT_EQ(SetClipboardData(2, block), nullptr);  // a bitmap
    CloseClipboard();
    GlobalFree(block);
}

TEST_F(Clipboard, BlockWithoutTerminatorIsReadToItsEnd)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 3 * sizeof(wchar_t));
    auto* data = static_cast<wchar_t*>(GlobalLock(block));
    data[0] = L'a';
    data[1] = L'b';
    data[2] = L'c';
    GlobalUnlock(block);
    ASSERT_NE(SetClipboardData(CF_UNICODETEXT, block), nullptr);
    CloseClipboard();
    EXPECT_EQ(clipboardText(), L"abc");
}

class AtomicFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder = std::filesystem::temp_directory_path() / ("kelvora-editor-" + std::to_string(getpid()));
        std::filesystem::create_directories(m_folder);
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    std::string read(const std::filesystem::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::filesystem::path m_folder;
};

TEST_F(AtomicFile, ReplacesTheFileAndLeavesNothingBeside)
{
    std::string path = (m_folder / "clip.txt").string();
    std::string error;
    ASSERT_TRUE(writeClipboardFile(path, L"first\n", error)) << error;
    ASSERT_TRUE(writeClipboardFile(path, L"Surfaces \nId\tSuperficie\tP\u00e9rim\u00e8tre\n", error)) << error;
    EXPECT_EQ(read(path), "Surfaces \nId\tSuperficie\tP\xC3\xA9rim\xC3\xA8tre\n");
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(m_folder)) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 1);
}

TEST_F(AtomicFile, MissingFolderIsAnErrorNamingTheFile)
{
    std::string path = (m_folder / "missing" / "clip.txt").string();
    std::string error;
    EXPECT_FALSE(writeClipboardFile(path, L"x", error));
    EXPECT_EQ(error, path + ": error: cannot write: No such file or directory");
    EXPECT_FALSE(std::filesystem::exists(m_folder / "missing"));
}

}  // namespace
}  // namespace kelvora
